#pragma once

#include "Charting/highlight/BarHighlighter.h"

namespace charting {

// The highlighter of horizontal bar charts, where the data's x values run vertically. The view
// passes a touch with its coordinates swapped, (touch y, touch x); the bars are found by the
// vertical pixel distance alone.
class HorizontalBarHighlighter : public BarHighlighter {
public:
    static std::shared_ptr<HorizontalBarHighlighter> create(ChartDataProvider* chart);
    static std::shared_ptr<HorizontalBarHighlighter> create() = delete;

    using BarHighlighter::getHighlight;

    // x and y are the touch's y and x.
    std::shared_ptr<Highlight> getHighlight(double x, double y) override;
    // Pixel positions from (entry y, entry x).
    std::vector<std::shared_ptr<Highlight>>
    highlightsForDataSet(const std::shared_ptr<ChartDataSetProtocol>& dataSet, int dataSetIndex,
                         double xValue, ChartDataSetRounding rounding) override;
    // |y1 - y2|.
    double pixelDistance(double x1, double y1, double x2, double y2) override;

protected:
    using BarHighlighter::BarHighlighter;
};

} // namespace charting
