#pragma once

#include "Charting/views/BarChartView.h"

namespace charting {

// The bar chart turned a quarter turn: the data's x values run up the view and the bars run
// along the horizontal pixel direction. The left y axis lies along the top edge of the content,
// the right y axis along the bottom edge and the x axis along the left edge (label position
// bottom), the right edge (top) or both. Transformers, renderers, highlighter, layout, touches,
// bar bounds, marker positions and visible ranges follow the turn.
class HorizontalBarChartView : public BarChartView {
public:
    explicit HorizontalBarChartView(QWidget* parent = nullptr);

    // The bar chart's set-up, then the turned transformers, renderers and highlighter.
    void initialize() override;
    // The highlight's draw point with its coordinates swapped.
    platform::Point getMarkerPosition(const Highlight& highlight) override;
    // The highlighter asked with the touch's coordinates swapped.
    std::shared_ptr<Highlight> getHighlightByTouchPoint(platform::Point point) override;
    // As the bar-line view; a horizontal legend above (below) the content also makes room for
    // the labels of the left (right) axis when it draws them.
    void addLegendOffsets(double& offsetLeft, double& offsetTop, double& offsetRight,
                          double& offsetBottom) override;
    // The y values scale the horizontal pixel direction and the x values the vertical one.
    void prepareValuePixelMatrices() override;
    // The pixel rectangle of an entry's bar, from 0 to its y along the horizontal direction.
    platform::Rect getBarBounds(const std::shared_ptr<ChartDataEntry>& entry) override;
    // The pixel point of (entry y, entry x) on the transformer of the axis.
    platform::Point getPosition(const ChartDataEntry& entry, AxisDependency axis) override;
    // The x values at the content's bottom and top edges, within the x axis's range.
    double lowestVisibleX() override;
    double highestVisibleX() override;

    // The x range limits the vertical zoom, the y range the horizontal one: the largest range
    // shown gives the smallest scale, the smallest range the largest scale. Ranges that are not
    // finite and positive are ignored.
    void setVisibleXRangeMaximum(double maxXRange) override;
    void setVisibleXRangeMinimum(double minXRange) override;
    void setVisibleXRange(double minXRange, double maxXRange) override;
    void setVisibleYRangeMaximum(double maxYRange, AxisDependency axis) override;
    void setVisibleYRangeMinimum(double minYRange, AxisDependency axis) override;
    void setVisibleYRange(double minYRange, double maxYRange, AxisDependency axis) override;

protected:
    // The left axis's labels above the content, the right axis's below, the x axis's labels
    // beside it.
    void addAxisOffsets(double& offsetLeft, double& offsetTop, double& offsetRight,
                        double& offsetBottom) override;
    // The y values run along the horizontal: an inverted axis mirrors drags along x.
    bool invertedAxisMirrorsDragX() const override { return true; }
};

} // namespace charting
