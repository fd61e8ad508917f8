#pragma once

#include "Charting/highlight/PieRadarHighlighter.h"

namespace charting {

// The highlighter of pie charts: the slice at the index, in data set 0, placed at the click.
class PieHighlighter : public PieRadarHighlighter {
public:
    static std::shared_ptr<PieHighlighter> create(ChartDataProvider* chart);
    static std::shared_ptr<PieHighlighter> create() = delete;

    // The first data set's entry at the index (x = the index, y = its value), with the click
    // point as its pixel position; none without such an entry.
    std::shared_ptr<Highlight> closestHighlight(int index, double x, double y) override;

protected:
    using PieRadarHighlighter::PieRadarHighlighter;
};

} // namespace charting
