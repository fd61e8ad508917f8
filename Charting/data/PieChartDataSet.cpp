#include "Charting/data/PieChartDataSet.h"

#include "Charting/utils/ChartDefaults.h"

#include <algorithm>
#include <cmath>

namespace charting {

PieChartDataSet::PieChartDataSet() {
    setTextDefaults();
}

PieChartDataSet::PieChartDataSet(EntryList entries, std::optional<QString> label)
    : ChartDataSet(std::move(entries), std::move(label)) {
    setTextDefaults();
}

void PieChartDataSet::setTextDefaults() {
    setValueTextColor(QColor(Qt::white));
    setValueFont(systemFont(13));
}

std::shared_ptr<PieChartDataSet> PieChartDataSet::create() {
    return std::shared_ptr<PieChartDataSet>(new PieChartDataSet());
}

std::shared_ptr<PieChartDataSet> PieChartDataSet::create(EntryList entries,
                                                         std::optional<QString> label) {
    std::shared_ptr<PieChartDataSet> set(new PieChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> PieChartDataSet::newInstance() const {
    return std::shared_ptr<PieChartDataSet>(new PieChartDataSet());
}

void PieChartDataSet::calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) {
    calcMinMaxY(entry);
}

void PieChartDataSet::setSliceSpace(double space) {
    sliceSpace_ = std::isnan(space) ? 0.0 : std::clamp(space, 0.0, 20.0);
}

std::shared_ptr<ChartBaseDataSet> PieChartDataSet::copy() const {
    auto base = ChartDataSet::copy();
    auto& set = static_cast<PieChartDataSet&>(*base);
    set.sliceSpace_ = sliceSpace_;
    set.automaticallyDisableSliceSpacing_ = automaticallyDisableSliceSpacing_;
    set.selectionShift_ = selectionShift_;
    set.xValuePosition_ = xValuePosition_;
    set.yValuePosition_ = yValuePosition_;
    set.valueLineColor_ = valueLineColor_;
    set.useValueColorForLine_ = useValueColorForLine_;
    set.valueLineWidth_ = valueLineWidth_;
    set.valueLinePart1OffsetPercentage_ = valueLinePart1OffsetPercentage_;
    set.valueLinePart1Length_ = valueLinePart1Length_;
    set.valueLinePart2Length_ = valueLinePart2Length_;
    set.valueLineVariableLength_ = valueLineVariableLength_;
    set.entryLabelFont_ = entryLabelFont_;
    set.entryLabelColor_ = entryLabelColor_;
    set.highlightColor_ = highlightColor_;
    return base;
}

} // namespace charting
