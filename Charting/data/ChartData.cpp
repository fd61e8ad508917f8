#include "Charting/data/ChartData.h"

#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/ChartErrors.h"
#include "platform/Log.h"

namespace charting {

namespace {
constexpr double kLargest = std::numeric_limits<double>::max();

// Widen an extreme by a value; NaN leaves it as it is.
void widenMin(double& min, double value) {
    if (value < min)
        min = value;
}

void widenMax(double& max, double value) {
    if (value > max)
        max = value;
}

void widen(double& min, double& max, double value) {
    widenMin(min, value);
    widenMax(max, value);
}

void checkAxis(const char* operation, AxisDependency axis) {
    if (axis != AxisDependency::left && axis != AxisDependency::right)
        unexpectedEnumValue(operation, "YAxis.AxisDependency", static_cast<long long>(axis));
}
} // namespace

ChartData::ChartData(DataSetList dataSets) : dataSets_(std::move(dataSets)) {}

std::shared_ptr<ChartData> ChartData::create() {
    return std::shared_ptr<ChartData>(new ChartData());
}

std::shared_ptr<ChartData> ChartData::create(DataSetList dataSets) {
    std::shared_ptr<ChartData> data(new ChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

std::optional<QString> ChartData::accessibilityEntryLabelPrefix() const {
    return accessibilityEntryLabelPrefix_;
}

void ChartData::setAccessibilityEntryLabelPrefix(std::optional<QString> prefix) {
    accessibilityEntryLabelPrefix_ = std::move(prefix);
}

std::optional<QString> ChartData::accessibilityEntryLabelSuffix() const {
    return accessibilityEntryLabelSuffix_;
}

void ChartData::setAccessibilityEntryLabelSuffix(std::optional<QString> suffix) {
    accessibilityEntryLabelSuffix_ = std::move(suffix);
}

bool ChartData::accessibilityEntryLabelSuffixIsCount() const {
    return accessibilityEntryLabelSuffixIsCount_;
}

void ChartData::setAccessibilityEntryLabelSuffixIsCount(bool isCount) {
    accessibilityEntryLabelSuffixIsCount_ = isCount;
}

void ChartData::notifyDataChanged() {
    calcMinMax();
}

void ChartData::calcMinMaxY(double fromX, double toX) {
    for (const auto& set : dataSets_)
        set->calcMinMaxY(fromX, toX);
    calcMinMax();
}

void ChartData::resetExtremes() {
    leftAxisMax_ = rightAxisMax_ = yMax_ = xMax_ = -kLargest;
    leftAxisMin_ = rightAxisMin_ = yMin_ = xMin_ = kLargest;
}

void ChartData::calcMinMax() {
    resetExtremes();
    for (size_t i = 0; i < dataSets_.size(); ++i)
        calcMinMax(dataSets_[i]);

    // Each axis starts from its first data set; a side without one keeps its empty values.
    auto axisExtremes = [this](AxisDependency axis,
                               const std::shared_ptr<ChartDataSetProtocol>& first, double& min,
                               double& max) {
        if (!first)
            return;
        max = first->yMax();
        min = first->yMin();
        for (const auto& set : dataSets_) {
            if (set->axisDependency() == axis) {
                widenMin(min, set->yMin());
                widenMax(max, set->yMax());
            }
        }
    };
    axisExtremes(AxisDependency::left, getFirstLeft(dataSets_), leftAxisMin_, leftAxisMax_);
    axisExtremes(AxisDependency::right, getFirstRight(dataSets_), rightAxisMin_, rightAxisMax_);
}

void ChartData::calcMinMax(const std::shared_ptr<ChartDataEntry>& entry, AxisDependency axis) {
    checkAxis("calcMinMax(entry:axis:)", axis);
    widen(xMin_, xMax_, entry->x());
    widen(yMin_, yMax_, entry->y());
    if (axis == AxisDependency::left)
        widen(leftAxisMin_, leftAxisMax_, entry->y());
    else
        widen(rightAxisMin_, rightAxisMax_, entry->y());
}

void ChartData::calcMinMax(const std::shared_ptr<ChartDataSetProtocol>& dataSet) {
    AxisDependency axis = dataSet->axisDependency();
    checkAxis("calcMinMax(dataSet:)", axis);
    widenMin(xMin_, dataSet->xMin());
    widenMax(xMax_, dataSet->xMax());
    widenMin(yMin_, dataSet->yMin());
    widenMax(yMax_, dataSet->yMax());
    if (axis == AxisDependency::left) {
        widenMin(leftAxisMin_, dataSet->yMin());
        widenMax(leftAxisMax_, dataSet->yMax());
    } else {
        widenMin(rightAxisMin_, dataSet->yMin());
        widenMax(rightAxisMax_, dataSet->yMax());
    }
}

double ChartData::getYMin(AxisDependency axis) const {
    checkAxis("getYMin(axis:)", axis);
    if (axis == AxisDependency::left)
        return leftAxisMin_ == kLargest ? rightAxisMin_ : leftAxisMin_;
    return rightAxisMin_ == kLargest ? leftAxisMin_ : rightAxisMin_;
}

double ChartData::getYMax(AxisDependency axis) const {
    if (axis == AxisDependency::left)
        return leftAxisMax_ == -kLargest ? rightAxisMax_ : leftAxisMax_;
    return rightAxisMax_ == -kLargest ? leftAxisMax_ : rightAxisMax_;
}

void ChartData::setDataSets(DataSetList dataSets) {
    dataSets_ = std::move(dataSets);
    notifyDataChanged();
}

void ChartData::modifyDataSets(const std::function<void(DataSetList&)>& change) {
    change(dataSets_);
    notifyDataChanged();
}

std::shared_ptr<ChartDataEntry> ChartData::entryFor(const Highlight& highlight) const {
    auto set = dataSetAtIndex(highlight.dataSetIndex());
    return set ? set->entryForXValue(highlight.x(), highlight.y()) : nullptr;
}

std::shared_ptr<ChartDataSetProtocol> ChartData::dataSetForLabel(const QString& label,
                                                                 bool ignorecase) const {
    for (const auto& set : dataSets_) {
        auto setLabel = set->label();
        if (!setLabel)
            continue;
        if (setLabel->compare(label, ignorecase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0)
            return set;
    }
    return nullptr;
}

std::shared_ptr<ChartDataSetProtocol> ChartData::dataSetAtIndex(int index) const {
    if (index < 0 || index >= dataSetCount())
        return nullptr;
    return dataSets_[static_cast<size_t>(index)];
}

std::shared_ptr<ChartDataSetProtocol>
ChartData::removeDataSet(const std::shared_ptr<ChartDataSetProtocol>& dataSet) {
    int index = indexOf(dataSet);
    return index < 0 ? nullptr : removeDataSetByIndex(index);
}

void ChartData::addEntry(std::shared_ptr<ChartDataEntry> entry, int dataSetIndex) {
    auto set = dataSetAtIndex(dataSetIndex);
    if (!set) {
        platform::logLine("ChartData.addEntry() - Cannot add Entry because dataSetIndex too high "
                          "or too low.");
        return;
    }
    if (set->addEntry(entry))
        calcMinMax(entry, set->axisDependency());
}

bool ChartData::removeEntry(const std::shared_ptr<ChartDataEntry>& entry, int dataSetIndex) {
    auto set = dataSetAtIndex(dataSetIndex);
    if (!set || !set->removeEntry(entry))
        return false;
    calcMinMax();
    return true;
}

bool ChartData::removeEntry(double xValue, int dataSetIndex) {
    auto set = dataSetAtIndex(dataSetIndex);
    if (!set)
        return false;
    auto entry = set->entryForXValue(xValue, std::numeric_limits<double>::quiet_NaN());
    return entry ? removeEntry(entry, dataSetIndex) : false;
}

std::shared_ptr<ChartDataSetProtocol>
ChartData::getDataSetForEntry(const std::shared_ptr<ChartDataEntry>& entry) const {
    if (!entry)
        return nullptr;
    for (const auto& set : dataSets_) {
        if (set->entryForXValue(entry->x(), entry->y()) == entry)
            return set;
    }
    return nullptr;
}

int ChartData::indexOf(const std::shared_ptr<ChartDataSetProtocol>& dataSet) const {
    for (size_t i = 0; i < dataSets_.size(); ++i) {
        if (dataSets_[i] == dataSet)
            return static_cast<int>(i);
    }
    return -1;
}

std::shared_ptr<ChartDataSetProtocol> ChartData::getFirstLeft(const DataSetList&) const {
    for (const auto& set : dataSets_) {
        if (set->axisDependency() == AxisDependency::left)
            return set;
    }
    return nullptr;
}

std::shared_ptr<ChartDataSetProtocol> ChartData::getFirstRight(const DataSetList&) const {
    for (const auto& set : dataSets_) {
        if (set->axisDependency() == AxisDependency::right)
            return set;
    }
    return nullptr;
}

std::vector<QColor> ChartData::colors() const {
    std::vector<QColor> list;
    for (const auto& set : dataSets_)
        list.insert(list.end(), set->colors().begin(), set->colors().end());
    return list;
}

void ChartData::setValueFormatter(std::shared_ptr<ChartValueFormatter> formatter) {
    for (const auto& set : dataSets_)
        set->setValueFormatter(formatter);
}

void ChartData::setValueTextColor(QColor color) {
    for (const auto& set : dataSets_)
        set->setValueTextColor(color);
}

void ChartData::setValueFont(QFont font) {
    for (const auto& set : dataSets_)
        set->setValueFont(font);
}

void ChartData::setDrawValues(bool enabled) {
    for (const auto& set : dataSets_)
        set->setDrawValuesEnabled(enabled);
}

bool ChartData::isHighlightEnabled() const {
    for (const auto& set : dataSets_) {
        if (!set->isHighlightEnabled())
            return false;
    }
    return true;
}

void ChartData::setHighlightEnabled(bool enabled) {
    for (const auto& set : dataSets_)
        set->setHighlightEnabled(enabled);
}

void ChartData::clearValues() {
    dataSets_.clear();
    notifyDataChanged();
}

bool ChartData::contains(const std::shared_ptr<ChartDataSetProtocol>& dataSet) const {
    return indexOf(dataSet) >= 0;
}

int ChartData::entryCount() const {
    int count = 0;
    for (const auto& set : dataSets_)
        count += set->entryCount();
    return count;
}

std::shared_ptr<ChartDataSetProtocol> ChartData::maxEntryCountSet() const {
    std::shared_ptr<ChartDataSetProtocol> most;
    for (const auto& set : dataSets_) {
        if (!most || set->entryCount() > most->entryCount())
            most = set;
    }
    return most;
}

void ChartData::addDataSet(std::shared_ptr<ChartDataSetProtocol> dataSet) {
    dataSets_.push_back(dataSet);
    calcMinMax(dataSet);
}

std::shared_ptr<ChartDataSetProtocol> ChartData::removeDataSetByIndex(int index) {
    if (index < 0 || index >= dataSetCount())
        return nullptr;
    auto set = dataSets_[static_cast<size_t>(index)];
    dataSets_.erase(dataSets_.begin() + index);
    calcMinMax();
    return set;
}

void ChartData::checkRange(const char* operation, int first, int last) const {
    if (first < 0 || last < first || last > dataSetCount())
        outOfRange(operation, first < 0 || last < first ? first : last, dataSetCount());
}

const std::shared_ptr<ChartDataSetProtocol>& ChartData::operator[](int position) const {
    if (position < 0 || position >= dataSetCount())
        outOfRange("ChartData[]", position, dataSetCount());
    return dataSets_[static_cast<size_t>(position)];
}

void ChartData::setDataSetAt(int position, std::shared_ptr<ChartDataSetProtocol> dataSet) {
    if (position < 0 || position >= dataSetCount())
        outOfRange("setDataSetAt", position, dataSetCount());
    dataSets_[static_cast<size_t>(position)] = std::move(dataSet);
}

void ChartData::replaceSubrange(int first, int last, DataSetList dataSets) {
    checkRange("replaceSubrange", first, last);
    dataSets_.erase(dataSets_.begin() + first, dataSets_.begin() + last);
    dataSets_.insert(dataSets_.begin() + first, dataSets.begin(), dataSets.end());
    for (const auto& set : dataSets)
        calcMinMax(set);
}

void ChartData::removeSubrange(int first, int last) {
    checkRange("removeSubrange", first, last);
    dataSets_.erase(dataSets_.begin() + first, dataSets_.begin() + last);
    notifyDataChanged();
}

void ChartData::removeFirst(int count) {
    checkRange("removeFirst", 0, count);
    removeSubrange(0, count);
}

void ChartData::removeLast(int count) {
    checkRange("removeLast", 0, count);
    removeSubrange(dataSetCount() - count, dataSetCount());
}

void ChartData::removeAll(bool keepingCapacity) {
    if (keepingCapacity)
        dataSets_.clear();
    else
        DataSetList().swap(dataSets_);
    notifyDataChanged();
}

} // namespace charting
