#include "Charting/data/PieChartData.h"

#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/PieChartDataSetProtocol.h"
#include "Charting/utils/ChartUtils.h"

namespace charting {

PieChartData::PieChartData(DataSetList dataSets) : ChartData(std::move(dataSets)) {}

std::shared_ptr<PieChartData> PieChartData::create() {
    return std::shared_ptr<PieChartData>(new PieChartData());
}

std::shared_ptr<PieChartData> PieChartData::create(DataSetList dataSets) {
    std::shared_ptr<PieChartData> data(new PieChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

std::shared_ptr<PieChartDataSetProtocol> PieChartData::dataSet() const {
    if (dataSets().empty())
        return nullptr;
    return std::dynamic_pointer_cast<PieChartDataSetProtocol>(dataSets().front());
}

void PieChartData::setDataSet(std::shared_ptr<PieChartDataSetProtocol> dataSet) {
    if (dataSet)
        setDataSets({std::move(dataSet)});
    else
        setDataSets({});
}

double PieChartData::yValueSum() const {
    const auto set = dataSet();
    if (!set)
        return 0;
    double sum = 0;
    for (int i = 0; i < set->entryCount(); ++i)
        if (const auto entry = set->entryForIndex(i))
            sum += entry->y();
    return sum;
}

std::shared_ptr<ChartDataSetProtocol> PieChartData::dataSetAtIndex(int index) const {
    if (index != 0 || dataSets().empty())
        return nullptr;
    return dataSets().front();
}

std::shared_ptr<ChartDataSetProtocol> PieChartData::dataSetForLabel(const QString& label,
                                                                    bool ignorecase) const {
    if (dataSets().empty() || !dataSets().front())
        return nullptr;
    const auto& first = dataSets().front();
    const auto own = first->label();
    if (!own)
        return nullptr;
    const auto sensitivity = ignorecase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    return own->compare(label, sensitivity) == 0 ? first : nullptr;
}

std::shared_ptr<ChartDataEntry> PieChartData::entryFor(const Highlight& highlight) const {
    const auto set = dataSet();
    if (!set)
        return nullptr;
    return set->entryForIndex(int(checkedIndex(highlight.x(), -1, set->entryCount())));
}

} // namespace charting
