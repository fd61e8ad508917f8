#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartData.h"

namespace charting {

// The chart data of a bar chart: the bar width and the layout of several data sets side by side
// in groups.
class BarChartData : public BarLineScatterCandleBubbleChartData {
public:
    static std::shared_ptr<BarChartData> create();
    static std::shared_ptr<BarChartData> create(DataSetList dataSets);

    // The width of one bar, in x-axis units.
    virtual double barWidth() const { return barWidth_; }
    virtual void setBarWidth(double width) { barWidth_ = width; }

    // Lays the entries out in groups from fromX: group i holds entry i of every data set, side by
    // side in data-set order, each group one groupWidth wide; then the moved data sets and the
    // chart data recompute their extremes. Needs two data sets at least (else logs a line and
    // changes nothing). Every data set takes its slot in a group; only the entries of bar data
    // sets are moved.
    virtual void groupBars(double fromX, double groupSpace, double barSpace);
    // (barWidth + barSpace) x the number of data sets + groupSpace.
    virtual double groupWidth(double groupSpace, double barSpace) const;

protected:
    BarChartData() = default;
    explicit BarChartData(DataSetList dataSets)
        : BarLineScatterCandleBubbleChartData(std::move(dataSets)) {}

private:
    double barWidth_ = 0.85;
};

} // namespace charting
