#pragma once

#include "Charting/data/BarChartDataEntry.h"
#include "Charting/highlight/ChartHighlighter.h"

namespace charting {

class BarChartDataSetProtocol;

// The highlighter of bar charts: the nearest bar by x alone, and on a stacked data set the stack
// level under the touch.
class BarHighlighter : public ChartHighlighter {
public:
    static std::shared_ptr<BarHighlighter> create(ChartDataProvider* chart);
    static std::shared_ptr<BarHighlighter> create() = delete;

    using ChartHighlighter::getHighlight;

    // None unless the chart is a bar chart with bar data; on a stacked data set the highlight of
    // the touched stack level.
    std::shared_ptr<Highlight> getHighlight(double x, double y) override;
    // The horizontal distance alone: |x1 - x2|.
    double pixelDistance(double x1, double y1, double x2, double y2) override;
    // The chart's bar data.
    std::shared_ptr<ChartData> data() override;

    // The highlight of the stack level of the set's entry at xValue (the one closest to yValue)
    // that holds yValue, placed in pixels at the level's upper value; the given highlight for a
    // plain entry; none when there is no such bar entry or it has no ranges.
    virtual std::shared_ptr<Highlight> getStackedHighlight(const std::shared_ptr<Highlight>& high,
                                                           const BarChartDataSetProtocol& set,
                                                           double xValue, double yValue);
    // The first range that contains the value; when none does, the last one if the value lies
    // above it, else 0. 0 for no ranges.
    virtual int getClosestStackIndex(const std::optional<BarChartDataEntry::RangeList>& ranges,
                                     double value);

protected:
    using ChartHighlighter::ChartHighlighter;

    // The closest bar at xValue to the pixel point (x, y); on a stacked data set the level that
    // holds yValue.
    std::shared_ptr<Highlight> barHighlight(double xValue, double yValue, double x, double y);
};

} // namespace charting
