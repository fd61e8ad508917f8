#include "Charting/data/ChartDataSet.h"

#include "Charting/data/ChartDataEntry.h"
#include "Charting/utils/ChartErrors.h"

#include <algorithm>
#include <cmath>

namespace charting {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLargest = std::numeric_limits<double>::max();
} // namespace

ChartDataSet::ChartDataSet(EntryList entries, std::optional<QString> label)
    : ChartBaseDataSet(std::move(label)), entries_(std::move(entries)) {}

std::shared_ptr<ChartDataSet> ChartDataSet::create() {
    return std::shared_ptr<ChartDataSet>(new ChartDataSet());
}

std::shared_ptr<ChartDataSet> ChartDataSet::create(EntryList entries) {
    return create(std::move(entries), QStringLiteral("DataSet"));
}

std::shared_ptr<ChartDataSet> ChartDataSet::create(std::optional<QString> label) {
    return create(EntryList(), std::move(label));
}

std::shared_ptr<ChartDataSet> ChartDataSet::create(EntryList entries,
                                                   std::optional<QString> label) {
    std::shared_ptr<ChartDataSet> set(new ChartDataSet(std::move(entries), std::move(label)));
    set->calcMinMax();
    return set;
}

std::shared_ptr<ChartBaseDataSet> ChartDataSet::newInstance() const {
    return std::shared_ptr<ChartDataSet>(new ChartDataSet());
}

void ChartDataSet::setEntries(EntryList entries) {
    entries_ = std::move(entries);
}

void ChartDataSet::replaceEntries(EntryList entries) {
    entries_ = std::move(entries);
    notifyDataSetChanged();
}

void ChartDataSet::calcMinMaxX(const std::shared_ptr<ChartDataEntry>& entry) {
    double x = entry->x();
    if (x < xMin_)
        xMin_ = x;
    if (x > xMax_)
        xMax_ = x;
}

void ChartDataSet::calcMinMaxY(const std::shared_ptr<ChartDataEntry>& entry) {
    double y = entry->y();
    if (y < yMin_)
        yMin_ = y;
    if (y > yMax_)
        yMax_ = y;
}

void ChartDataSet::calcMinMax(const std::shared_ptr<ChartDataEntry>& entry) {
    calcMinMaxX(entry);
    calcMinMaxY(entry);
}

void ChartDataSet::calcMinMax() {
    yMax_ = -kLargest;
    yMin_ = kLargest;
    xMax_ = -kLargest;
    xMin_ = kLargest;
    for (const auto& entry : entries_)
        calcMinMax(entry);
}

void ChartDataSet::calcMinMaxY(double fromX, double toX) {
    yMax_ = -kLargest;
    yMin_ = kLargest;
    if (entries_.empty())
        return;
    int first = entryIndex(fromX, kNaN, ChartDataSetRounding::nearest);
    int last = entryIndex(toX, kNaN, ChartDataSetRounding::roundUp);
    if (last == -1)
        last = entryIndex(toX, kNaN, ChartDataSetRounding::nearest);
    if (last < first)
        return;
    for (int i = first; i <= last; ++i)
        calcMinMaxY(entries_[static_cast<size_t>(i)]);
}

std::shared_ptr<ChartDataEntry> ChartDataSet::entryForIndex(int index) const {
    if (index < 0 || index >= entryCount())
        return nullptr;
    return entries_[static_cast<size_t>(index)];
}

std::shared_ptr<ChartDataEntry> ChartDataSet::entryForXValue(double xValue, double closestToY,
                                                             ChartDataSetRounding rounding) const {
    int index = entryIndex(xValue, closestToY, rounding);
    return index < 0 ? nullptr : entries_[static_cast<size_t>(index)];
}

std::shared_ptr<ChartDataEntry> ChartDataSet::entryForXValue(double xValue,
                                                             double closestToY) const {
    return entryForXValue(xValue, closestToY, ChartDataSetRounding::nearest);
}

int ChartDataSet::entryIndex(double xValue, double closestToY,
                             ChartDataSetRounding rounding) const {
    const int count = entryCount();
    auto xAt = [this](int i) { return entries_[static_cast<size_t>(i)]->x(); };

    // Lower bound: the first entry whose x is at or above xValue (NaN compares false).
    int low = 0;
    for (int n = count; n > 0;) {
        int half = n / 2;
        int mid = low + half;
        if (xAt(mid) >= xValue) {
            n = half;
        } else {
            low = mid + 1;
            n = n - half - 1;
        }
    }
    if (low == count)
        return count - 1;

    int closest = low;
    double closestX = xAt(closest);
    switch (rounding) {
    case ChartDataSetRounding::roundUp:
        if (closestX < xValue && closest < count - 1)
            ++closest;
        break;
    case ChartDataSetRounding::roundDown:
        if (closestX > xValue && closest > 0)
            --closest;
        break;
    case ChartDataSetRounding::nearest:
        if (closest > 0) {
            double after = std::abs(xAt(closest) - xValue);
            double before = std::abs(xAt(closest - 1) - xValue);
            if (before < after)
                --closest;
        }
        break;
    default:
        unexpectedEnumValue("entryIndex(x:closestToY:rounding:)", "ChartDataSetRounding",
                            static_cast<long long>(rounding));
    }
    closestX = xAt(closest);

    if (std::isnan(closestToY))
        return closest;

    // The entry nearest in y among the run that shares closestX; later entries win ties, and an
    // entry with a y value wins over one whose y is NaN.
    while (closest > 0 && xAt(closest - 1) == closestX)
        --closest;
    int best = closest;
    double bestDistance = std::abs(entries_[static_cast<size_t>(best)]->y() - closestToY);
    for (int position = closest + 1; position < count; ++position) {
        const auto& entry = entries_[static_cast<size_t>(position)];
        if (entry->x() != closestX)
            break;
        double distance = std::abs(entry->y() - closestToY);
        if (distance <= bestDistance || (std::isnan(bestDistance) && !std::isnan(distance))) {
            best = position;
            bestDistance = distance;
        }
    }
    return best;
}

int ChartDataSet::entryIndex(const std::shared_ptr<ChartDataEntry>& entry) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i]->isEqual(entry.get()))
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::shared_ptr<ChartDataEntry>> ChartDataSet::entriesForXValue(double xValue) const {
    EntryList list = entries_;
    auto matches = [xValue](const std::shared_ptr<ChartDataEntry>& e) { return e->x() == xValue; };
    // Partition the copy so that the matching entries end up at the back, in the order this
    // swapping partition leaves them.
    size_t low = 0, high = list.size();
    while (true) {
        while (low != high && !matches(list[low]))
            ++low;
        if (low == high)
            break;
        do {
            --high;
        } while (low != high && matches(list[high]));
        if (low == high)
            break;
        std::swap(list[low], list[high]);
        ++low;
    }
    list.erase(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(low));
    return list;
}

bool ChartDataSet::addEntry(std::shared_ptr<ChartDataEntry> entry) {
    calcMinMax(entry);
    entries_.push_back(std::move(entry));
    return true;
}

bool ChartDataSet::addEntryOrdered(std::shared_ptr<ChartDataEntry> entry) {
    double x = entry->x();
    auto position = std::upper_bound(
        entries_.begin(), entries_.end(), x,
        [](double value, const std::shared_ptr<ChartDataEntry>& e) { return value < e->x(); });
    calcMinMax(entry);
    entries_.insert(position, std::move(entry));
    return true;
}

bool ChartDataSet::removeEntry(const std::shared_ptr<ChartDataEntry>& entry) {
    int index = entryIndex(entry);
    if (index < 0)
        return false;
    entries_.erase(entries_.begin() + index);
    notifyDataSetChanged();
    return true;
}

bool ChartDataSet::removeFirst() {
    if (entries_.empty())
        return false;
    entries_.erase(entries_.begin());
    notifyDataSetChanged();
    return true;
}

bool ChartDataSet::removeLast() {
    if (entries_.empty())
        return false;
    entries_.pop_back();
    notifyDataSetChanged();
    return true;
}

bool ChartDataSet::contains(const std::shared_ptr<ChartDataEntry>& entry) const {
    return entryIndex(entry) != -1;
}

void ChartDataSet::clear() {
    entries_.clear();
    notifyDataSetChanged();
}

std::shared_ptr<ChartBaseDataSet> ChartDataSet::copy() const {
    auto base = ChartBaseDataSet::copy();
    auto& set = static_cast<ChartDataSet&>(*base);
    set.entries_ = entries_;
    set.yMax_ = yMax_;
    set.yMin_ = yMin_;
    set.xMax_ = xMax_;
    set.xMin_ = xMin_;
    return base;
}

void ChartDataSet::checkPosition(const char* operation, int position, int count) const {
    if (position < 0 || position >= count)
        outOfRange(operation, position, count);
}

void ChartDataSet::checkRange(const char* operation, int first, int last) const {
    if (first < 0 || last < first || last > entryCount())
        outOfRange(operation, first < 0 || last < first ? first : last, entryCount());
}

const std::shared_ptr<ChartDataEntry>& ChartDataSet::operator[](int position) const {
    checkPosition("ChartDataSet[]", position, entryCount());
    return entries_[static_cast<size_t>(position)];
}

void ChartDataSet::setEntryAt(int position, std::shared_ptr<ChartDataEntry> entry) {
    checkPosition("setEntryAt", position, entryCount());
    calcMinMax(entry);
    entries_[static_cast<size_t>(position)] = std::move(entry);
}

void ChartDataSet::swapAt(int first, int second) {
    checkPosition("swapAt", first, entryCount());
    checkPosition("swapAt", second, entryCount());
    std::swap(entries_[static_cast<size_t>(first)], entries_[static_cast<size_t>(second)]);
    calcMinMax(entries_[static_cast<size_t>(first)]);
    calcMinMax(entries_[static_cast<size_t>(second)]);
}

void ChartDataSet::append(EntryList entries) {
    for (const auto& entry : entries)
        addEntry(entry);
}

void ChartDataSet::insert(std::shared_ptr<ChartDataEntry> entry, int position) {
    checkPosition("insert", position, entryCount() + 1);
    entries_.insert(entries_.begin() + position, std::move(entry));
    notifyDataSetChanged();
}

void ChartDataSet::replaceSubrange(int first, int last, EntryList entries) {
    checkRange("replaceSubrange", first, last);
    entries_.erase(entries_.begin() + first, entries_.begin() + last);
    entries_.insert(entries_.begin() + first, entries.begin(), entries.end());
    notifyDataSetChanged();
}

std::shared_ptr<ChartDataEntry> ChartDataSet::remove(int position) {
    checkPosition("remove", position, entryCount());
    auto entry = entries_[static_cast<size_t>(position)];
    entries_.erase(entries_.begin() + position);
    notifyDataSetChanged();
    return entry;
}

void ChartDataSet::removeSubrange(int first, int last) {
    checkRange("removeSubrange", first, last);
    entries_.erase(entries_.begin() + first, entries_.begin() + last);
    notifyDataSetChanged();
}

void ChartDataSet::removeFirst(int count) {
    checkRange("removeFirst", 0, count);
    removeSubrange(0, count);
}

void ChartDataSet::removeLast(int count) {
    checkRange("removeLast", 0, count);
    removeSubrange(entryCount() - count, entryCount());
}

void ChartDataSet::removeAll(bool keepingCapacity) {
    if (keepingCapacity)
        entries_.clear();
    else
        EntryList().swap(entries_);
    notifyDataSetChanged();
}

void ChartDataSet::removeAllWhere(
    const std::function<bool(const std::shared_ptr<ChartDataEntry>&)>& condition) {
    std::erase_if(entries_, condition);
    notifyDataSetChanged();
}

void ChartDataSet::reserveCapacity(int capacity) {
    if (capacity > 0)
        entries_.reserve(static_cast<size_t>(capacity));
}

} // namespace charting
