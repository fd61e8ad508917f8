#pragma once

#include "Charting/highlight/ChartHighlighter.h"

namespace charting {

// The highlighter of the charts drawn around a centre: a point farther from the centre than the
// radius selects nothing; otherwise its angle picks the entry index, whose highlight the chart
// type builds.
class PieRadarHighlighter : public ChartHighlighter {
public:
    static std::shared_ptr<PieRadarHighlighter> create(ChartDataProvider* chart);
    static std::shared_ptr<PieRadarHighlighter> create() = delete;

    using ChartHighlighter::getHighlight;

    // None unless the chart is a pie or radar chart with data and the point lies on the circle.
    std::shared_ptr<Highlight> getHighlight(double x, double y) override;
    // The highlight of the entry at an index, for the click point (x, y); the chart type's.
    virtual std::shared_ptr<Highlight> closestHighlight(int index, double x, double y);

protected:
    using ChartHighlighter::ChartHighlighter;
};

} // namespace charting
