#pragma once

#include "Charting/highlight/PieRadarHighlighter.h"

#include <vector>

namespace charting {

// The radar chart's highlighter: on the touched spoke, the value of the data set nearest to the
// touch's distance from the centre.
class RadarHighlighter : public PieRadarHighlighter {
public:
    static std::shared_ptr<RadarHighlighter> create(ChartDataProvider* chart);
    static std::shared_ptr<RadarHighlighter> create() = delete;

    // Of the highlights at the index, the one whose value is nearest to the touch's distance
    // (in values); the earlier data set wins a tie. None unless the chart is a radar chart.
    std::shared_ptr<Highlight> closestHighlight(int index, double x, double y) override;
    // One highlight per data set with an entry at the index, at that entry's point.
    virtual std::vector<std::shared_ptr<Highlight>> getHighlights(int index);

protected:
    using PieRadarHighlighter::PieRadarHighlighter;
};

} // namespace charting
