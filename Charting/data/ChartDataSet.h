#pragma once

#include "Charting/data/ChartBaseDataSet.h"

#include <functional>
#include <limits>

namespace charting {

// A data set that stores its entries, in ascending x (the caller's duty: nothing here sorts), with
// the x and y extremes cached. The searches are binary searches on x.
//
// The data set is also an editable list of its entries (operator[], setEntryAt, insert, remove
// ...); each edit keeps the extremes current or at least never too narrow, as its comment says.
// Reading or writing a position outside the list stops the program.
class ChartDataSet : public ChartBaseDataSet {
public:
    using EntryList = std::vector<std::shared_ptr<ChartDataEntry>>;

    static std::shared_ptr<ChartDataSet> create();
    static std::shared_ptr<ChartDataSet> create(EntryList entries);
    static std::shared_ptr<ChartDataSet> create(std::optional<QString> label);
    static std::shared_ptr<ChartDataSet> create(EntryList entries, std::optional<QString> label);

    using ChartBaseDataSet::removeEntry;

    const EntryList& entries() const { return entries_; }
    // Replaces the list; the extremes stay as they were.
    virtual void setEntries(EntryList entries);
    // Replaces the list, then notifyDataSetChanged.
    virtual void replaceEntries(EntryList entries);

    // Widen the extremes by one entry. A NaN value leaves the extremes as they are.
    virtual void calcMinMaxX(const std::shared_ptr<ChartDataEntry>& entry);
    virtual void calcMinMaxY(const std::shared_ptr<ChartDataEntry>& entry);
    // calcMinMaxX, then calcMinMaxY: the per-entry step of every full pass and every add.
    virtual void calcMinMax(const std::shared_ptr<ChartDataEntry>& entry);

    void calcMinMax() override;
    void calcMinMaxY(double fromX, double toX) override;
    double yMin() const override { return yMin_; }
    double yMax() const override { return yMax_; }
    double xMin() const override { return xMin_; }
    double xMax() const override { return xMax_; }

    int entryCount() const override { return static_cast<int>(entries_.size()); }
    std::shared_ptr<ChartDataEntry> entryForIndex(int index) const override;
    std::shared_ptr<ChartDataEntry> entryForXValue(double xValue, double closestToY,
                                                   ChartDataSetRounding rounding) const override;
    std::shared_ptr<ChartDataEntry> entryForXValue(double xValue, double closestToY) const override;
    // Every entry whose x equals xValue exactly, in a new list.
    std::vector<std::shared_ptr<ChartDataEntry>> entriesForXValue(double xValue) const override;
    int entryIndex(double x, double closestToY, ChartDataSetRounding rounding) const override;
    int entryIndex(const std::shared_ptr<ChartDataEntry>& entry) const override;

    // Appends without an order check and widens the extremes; always true.
    bool addEntry(std::shared_ptr<ChartDataEntry> entry) override;
    // Inserts after every entry with a smaller or equal x and before the first with a greater x,
    // and widens the extremes; always true.
    bool addEntryOrdered(std::shared_ptr<ChartDataEntry> entry) override;
    // Removes the first entry equal to the given one and recalculates; false when none is equal.
    bool removeEntry(const std::shared_ptr<ChartDataEntry>& entry) override;
    bool removeFirst() override;
    bool removeLast() override;
    // Whether an entry equal to the given one is held.
    bool contains(const std::shared_ptr<ChartDataEntry>& entry) const override;
    // Removes every entry (keeping the storage) and recalculates.
    void clear() override;

    std::shared_ptr<ChartBaseDataSet> copy() const override;

    // List editing.
    const std::shared_ptr<ChartDataEntry>& operator[](int position) const;
    EntryList::const_iterator begin() const { return entries_.begin(); }
    EntryList::const_iterator end() const { return entries_.end(); }
    // Replaces one position; widens by the new entry (the replaced one stays counted).
    virtual void setEntryAt(int position, std::shared_ptr<ChartDataEntry> entry);
    // Swaps two positions; widens by both.
    virtual void swapAt(int first, int second);
    // Appends each entry in turn, widening by each. The list is taken by value, so a data set's
    // own entries may be passed.
    virtual void append(EntryList entries);
    // Inserts at a position (0 to entryCount) and recalculates.
    virtual void insert(std::shared_ptr<ChartDataEntry> entry, int position);
    // Replaces the positions first to last (exclusive) by other entries (taken by value, so they
    // may be the data set's own) and recalculates.
    virtual void replaceSubrange(int first, int last, EntryList entries);
    // Removes and returns the entry at a position, then recalculates.
    virtual std::shared_ptr<ChartDataEntry> remove(int position);
    // Remove positions first to last (exclusive), the first or last n, all, or all that satisfy
    // a condition (the others keep their order); each recalculates.
    virtual void removeSubrange(int first, int last);
    virtual void removeFirst(int count);
    virtual void removeLast(int count);
    virtual void removeAll(bool keepingCapacity = false);
    virtual void
    removeAllWhere(const std::function<bool(const std::shared_ptr<ChartDataEntry>&)>& condition);
    // Nothing that shows: the extremes stay.
    virtual void reserveCapacity(int capacity);

protected:
    ChartDataSet() = default;
    ChartDataSet(EntryList entries, std::optional<QString> label);

    std::shared_ptr<ChartBaseDataSet> newInstance() const override;

    // The extremes, for subclasses with a per-entry step of their own.
    void setYMin(double value) { yMin_ = value; }
    void setYMax(double value) { yMax_ = value; }
    void setXMin(double value) { xMin_ = value; }
    void setXMax(double value) { xMax_ = value; }

private:
    void checkPosition(const char* operation, int position, int count) const;
    void checkRange(const char* operation, int first, int last) const;

    EntryList entries_;
    double yMax_ = -std::numeric_limits<double>::max();
    double yMin_ = std::numeric_limits<double>::max();
    double xMax_ = -std::numeric_limits<double>::max();
    double xMin_ = std::numeric_limits<double>::max();
};

} // namespace charting
