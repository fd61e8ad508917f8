#pragma once

#include "Charting/data/ChartDataEntry.h"

#include <vector>

namespace charting {

class Range;

// One bar: a plain value, or a stack of values drawn one upon the other. For a stacked entry y is
// the sum of the values; the negative values stack downward from 0 and the positive ones upward,
// each in the order given (index 0 nearest the zero line), and `ranges` holds the piece of each
// value. The sums and ranges follow the values whenever they are set.
class BarChartDataEntry : public ChartDataEntry {
public:
    using RangeList = std::vector<std::shared_ptr<Range>>;

    static std::shared_ptr<BarChartDataEntry> create();
    static std::shared_ptr<BarChartDataEntry> create(double x, double y);
    static std::shared_ptr<BarChartDataEntry> create(double x, double y, std::any data);
    static std::shared_ptr<BarChartDataEntry> create(double x, double y, QImage icon);
    static std::shared_ptr<BarChartDataEntry> create(double x, double y, QImage icon,
                                                     std::any data);
    // A stacked entry: y is the sum of the values (added in index order).
    static std::shared_ptr<BarChartDataEntry> create(double x, std::vector<double> yValues);
    static std::shared_ptr<BarChartDataEntry> create(double x, std::vector<double> yValues,
                                                     QImage icon);
    static std::shared_ptr<BarChartDataEntry> create(double x, std::vector<double> yValues,
                                                     std::any data);
    static std::shared_ptr<BarChartDataEntry> create(double x, std::vector<double> yValues,
                                                     QImage icon, std::any data);

    // The sum of the values from stackIndex to the last; 0 for a plain entry or an index outside
    // the values.
    virtual double sumBelow(int stackIndex) const;
    // Sum of the magnitudes of the negative values; sum of the positive values.
    virtual double negativeSum() const { return negativeSum_; }
    virtual double positiveSum() const { return positiveSum_; }
    virtual void calcPosNegSum();
    // A new range list from the values and the stored negative sum; nothing without values.
    virtual void calcRanges();
    // Whether the entry has a value list (an empty one counts).
    virtual bool isStacked() const { return yValues_.has_value(); }
    virtual const std::optional<std::vector<double>>& yValues() const { return yValues_; }
    // y becomes the sum (0 for none), then the sums and ranges are recomputed. Removing the
    // values leaves the previous ranges in place.
    virtual void setYValues(std::optional<std::vector<double>> values);
    virtual const std::optional<RangeList>& ranges() const { return ranges_; }

    // The base copy with the values, y and both sums; the copy's ranges are computed anew from
    // them (equal ranges, new objects).
    std::shared_ptr<ChartDataEntry> copy() const override;

protected:
    BarChartDataEntry() = default;
    BarChartDataEntry(double x, double y) : ChartDataEntry(x, y) {}
    BarChartDataEntry(double x, std::vector<double> yValues);

    std::shared_ptr<ChartDataEntry> newInstance() const override;

private:
    static double sum(const std::optional<std::vector<double>>& values);

    std::optional<std::vector<double>> yValues_;
    std::optional<RangeList> ranges_;
    double negativeSum_ = 0;
    double positiveSum_ = 0;
};

} // namespace charting
