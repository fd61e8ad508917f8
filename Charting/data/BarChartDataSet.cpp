#include "Charting/data/BarChartDataSet.h"

#include "Charting/data/BarChartDataEntry.h"

#include <algorithm>
#include <cmath>

namespace charting {

int stackedValueCount(const ChartDataEntry& entry) {
    auto bar = dynamic_cast<const BarChartDataEntry*>(&entry);
    if (!bar || !bar->yValues())
        return 1;
    return static_cast<int>(bar->yValues()->size());
}

BarChartDataSet::BarChartDataSet() {
    setHighlightColor(QColor(Qt::black));
}

BarChartDataSet::BarChartDataSet(EntryList entries, std::optional<QString> label)
    : BarLineScatterCandleBubbleChartDataSet(std::move(entries), std::move(label)) {
    setHighlightColor(QColor(Qt::black));
}

std::shared_ptr<BarChartDataSet> BarChartDataSet::create() {
    std::shared_ptr<BarChartDataSet> set(new BarChartDataSet());
    set->updateStacks();
    return set;
}

std::shared_ptr<BarChartDataSet> BarChartDataSet::create(EntryList entries,
                                                         std::optional<QString> label) {
    std::shared_ptr<BarChartDataSet> set(new BarChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> BarChartDataSet::newInstance() const {
    return std::shared_ptr<BarChartDataSet>(new BarChartDataSet());
}

void BarChartDataSet::updateStackSize(const EntryList& entries) {
    if (entries.empty()) {
        stackSize_ = 1;
        return;
    }
    int largest = 0;
    for (const auto& entry : entries)
        largest = std::max(largest, stackedValueCount(*entry));
    stackSize_ = largest;
}

void BarChartDataSet::updateEntryCountStacks(const EntryList& entries) {
    int count = 0;
    for (const auto& entry : entries)
        count += stackedValueCount(*entry);
    entryCountStacks_ = count;
}

void BarChartDataSet::updateStacks() {
    updateStackSize(entries());
    updateEntryCountStacks(entries());
}

void BarChartDataSet::countAddedEntry(const std::shared_ptr<ChartDataEntry>& entry) {
    int count = stackedValueCount(*entry);
    stackSize_ = entryCount() == 1 ? count : std::max(stackSize_, count);
    entryCountStacks_ += count;
}

void BarChartDataSet::calcMinMax(const std::shared_ptr<BarChartDataEntry>& entry) {
    if (std::isnan(entry->y()))
        return;
    double low = entry->yValues() ? -entry->negativeSum() : entry->y();
    double high = entry->yValues() ? entry->positiveSum() : entry->y();
    if (low < yMin())
        setYMin(low);
    if (high > yMax())
        setYMax(high);
    calcMinMaxX(entry);
}

void BarChartDataSet::calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) {
    if (auto bar = std::dynamic_pointer_cast<BarChartDataEntry>(entry))
        calcMinMax(bar);
}

void BarChartDataSet::calcMinMax() {
    ChartDataSet::calcMinMax();
    updateStacks();
}

void BarChartDataSet::setEntries(EntryList entries) {
    ChartDataSet::setEntries(std::move(entries));
    updateStacks();
}

bool BarChartDataSet::addEntry(std::shared_ptr<ChartDataEntry> entry) {
    auto added = entry;
    bool result = ChartDataSet::addEntry(std::move(entry));
    countAddedEntry(added);
    return result;
}

bool BarChartDataSet::addEntryOrdered(std::shared_ptr<ChartDataEntry> entry) {
    auto added = entry;
    bool result = ChartDataSet::addEntryOrdered(std::move(entry));
    countAddedEntry(added);
    return result;
}

void BarChartDataSet::setEntryAt(int position, std::shared_ptr<ChartDataEntry> entry) {
    ChartDataSet::setEntryAt(position, std::move(entry));
    updateStacks();
}

std::shared_ptr<ChartBaseDataSet> BarChartDataSet::copy() const {
    auto base = BarLineScatterCandleBubbleChartDataSet::copy();
    auto& set = static_cast<BarChartDataSet&>(*base);
    set.stackSize_ = stackSize_;
    set.entryCountStacks_ = entryCountStacks_;
    set.stackLabels_ = stackLabels_;
    set.barShadowColor_ = barShadowColor_;
    set.barBorderWidth_ = barBorderWidth_;
    set.barBorderColor_ = barBorderColor_;
    set.highlightAlpha_ = highlightAlpha_;
    return base;
}

} // namespace charting
