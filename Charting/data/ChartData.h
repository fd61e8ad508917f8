#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/data/ChartDataSetProtocol.h"

#include <functional>
#include <limits>

namespace charting {

class Highlight;

// The data sets that one chart draws, with the overall x and y extremes and the y extremes of the
// left-axis and right-axis data sets. Data sets are found by identity.
//
// Recomputing uses only the data sets' cached extremes: after entries change inside a data set,
// its owner runs the data set's notifyDataSetChanged first.
//
// The chart data is also an editable list of its data sets (operator[], setDataSetAt,
// replaceSubrange, removeFirst(n) ...); each edit keeps the extremes as its comment says.
class ChartData {
public:
    using DataSetList = std::vector<std::shared_ptr<ChartDataSetProtocol>>;

    // No data sets; no recomputation.
    static std::shared_ptr<ChartData> create();
    // The data sets (one data set: create({dataSet})), then notifyDataChanged.
    static std::shared_ptr<ChartData> create(DataSetList dataSets);

    virtual ~ChartData() = default;
    ChartData(const ChartData&) = delete;
    ChartData& operator=(const ChartData&) = delete;

    virtual double xMax() const { return xMax_; }
    virtual void setXMax(double value) { xMax_ = value; }
    virtual double xMin() const { return xMin_; }
    virtual void setXMin(double value) { xMin_ = value; }
    virtual double yMax() const { return yMax_; }
    virtual void setYMax(double value) { yMax_ = value; }
    virtual double yMin() const { return yMin_; }
    virtual void setYMin(double value) { yMin_ = value; }

    virtual std::optional<QString> accessibilityEntryLabelPrefix() const;
    virtual void setAccessibilityEntryLabelPrefix(std::optional<QString> prefix);
    virtual std::optional<QString> accessibilityEntryLabelSuffix() const;
    virtual void setAccessibilityEntryLabelSuffix(std::optional<QString> suffix);
    virtual bool accessibilityEntryLabelSuffixIsCount() const;
    virtual void setAccessibilityEntryLabelSuffixIsCount(bool isCount);

    // Runs calcMinMax.
    virtual void notifyDataChanged();
    // calcMinMaxY on every data set, then calcMinMax.
    virtual void calcMinMaxY(double fromX, double toX);
    // Recomputes the eight extremes from the data sets' cached extremes.
    virtual void calcMinMax();
    // Widen the extremes by one entry (on the given axis) or by one data set's extremes.
    virtual void calcMinMax(const std::shared_ptr<ChartDataEntry>& entry, AxisDependency axis);
    virtual void calcMinMax(const std::shared_ptr<ChartDataSetProtocol>& dataSet);

    virtual int dataSetCount() const { return static_cast<int>(dataSets_.size()); }
    // The smallest (largest) y of that axis, or of the other axis when that one has no data set.
    virtual double getYMin(AxisDependency axis) const;
    virtual double getYMax(AxisDependency axis) const;

    virtual const DataSetList& dataSets() const { return dataSets_; }
    // Replaces the list, then notifyDataChanged.
    virtual void setDataSets(DataSetList dataSets);
    // Changes the list in place, then notifyDataChanged.
    virtual void modifyDataSets(const std::function<void(DataSetList&)>& change);

    // The entry a highlight points at: the nearest entry to its x and y in its data set.
    virtual std::shared_ptr<ChartDataEntry> entryFor(const Highlight& highlight) const;
    virtual std::shared_ptr<ChartDataSetProtocol> dataSetForLabel(const QString& label,
                                                                  bool ignorecase) const;
    virtual std::shared_ptr<ChartDataSetProtocol> dataSetAtIndex(int index) const;
    // Removes a data set found by identity; returns it, or none.
    virtual std::shared_ptr<ChartDataSetProtocol>
    removeDataSet(const std::shared_ptr<ChartDataSetProtocol>& dataSet);
    // Adds to one data set and widens; an invalid position logs a line and changes nothing.
    virtual void addEntry(std::shared_ptr<ChartDataEntry> entry, int dataSetIndex);
    // Removes from one data set and recomputes; false for an invalid position or no such entry.
    virtual bool removeEntry(const std::shared_ptr<ChartDataEntry>& entry, int dataSetIndex);
    // Removes the entry nearest to xValue from one data set.
    virtual bool removeEntry(double xValue, int dataSetIndex);
    // The data set that holds this very entry.
    virtual std::shared_ptr<ChartDataSetProtocol>
    getDataSetForEntry(const std::shared_ptr<ChartDataEntry>& entry) const;
    // Position of this very data set, or -1.
    virtual int indexOf(const std::shared_ptr<ChartDataSetProtocol>& dataSet) const;
    // The first data set of this chart data on the left (right) axis; the list is not consulted.
    virtual std::shared_ptr<ChartDataSetProtocol> getFirstLeft(const DataSetList& dataSets) const;
    virtual std::shared_ptr<ChartDataSetProtocol> getFirstRight(const DataSetList& dataSets) const;
    // Every data set's colours, in data-set order.
    virtual std::vector<QColor> colors() const;
    virtual void setValueFormatter(std::shared_ptr<ChartValueFormatter> formatter);
    virtual void setValueTextColor(QColor color);
    virtual void setValueFont(QFont font);
    virtual void setDrawValues(bool enabled);
    // True when every data set has highlighting on (true for none); writing sets every data set.
    virtual bool isHighlightEnabled() const;
    virtual void setHighlightEnabled(bool enabled);
    // Empties the list, then notifyDataChanged.
    virtual void clearValues();
    // Whether this very data set is in the list.
    virtual bool contains(const std::shared_ptr<ChartDataSetProtocol>& dataSet) const;
    // Sum of the data sets' entry counts.
    virtual int entryCount() const;
    // The data set with the most entries (the earliest among equals), or none.
    virtual std::shared_ptr<ChartDataSetProtocol> maxEntryCountSet() const;

    // Appends a data set and widens the extremes by it.
    void addDataSet(std::shared_ptr<ChartDataSetProtocol> dataSet);
    // Removes and returns the data set at a position, then calcMinMax; none outside the list.
    std::shared_ptr<ChartDataSetProtocol> removeDataSetByIndex(int index);

    // List editing.
    const std::shared_ptr<ChartDataSetProtocol>& operator[](int position) const;
    DataSetList::const_iterator begin() const { return dataSets_.begin(); }
    DataSetList::const_iterator end() const { return dataSets_.end(); }
    // Replaces one position without recomputing.
    void setDataSetAt(int position, std::shared_ptr<ChartDataSetProtocol> dataSet);
    // Replaces positions first to last (exclusive); widens by each new data set. The list is taken
    // by value, so it may be this chart data's own.
    void replaceSubrange(int first, int last, DataSetList dataSets);
    // Remove positions first to last (exclusive), the first or last n, or all; notifyDataChanged.
    void removeSubrange(int first, int last);
    void removeFirst(int count);
    void removeLast(int count);
    void removeAll(bool keepingCapacity = false);

protected:
    ChartData() = default;
    explicit ChartData(DataSetList dataSets);

private:
    void resetExtremes();
    void checkRange(const char* operation, int first, int last) const;

    double xMax_ = -std::numeric_limits<double>::max();
    double xMin_ = std::numeric_limits<double>::max();
    double yMax_ = -std::numeric_limits<double>::max();
    double yMin_ = std::numeric_limits<double>::max();
    double leftAxisMax_ = -std::numeric_limits<double>::max();
    double leftAxisMin_ = std::numeric_limits<double>::max();
    double rightAxisMax_ = -std::numeric_limits<double>::max();
    double rightAxisMin_ = std::numeric_limits<double>::max();
    std::optional<QString> accessibilityEntryLabelPrefix_;
    std::optional<QString> accessibilityEntryLabelSuffix_;
    bool accessibilityEntryLabelSuffixIsCount_ = false;
    DataSetList dataSets_;
};

} // namespace charting
