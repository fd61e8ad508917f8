#pragma once

#include "Charting/renderers/DataRenderer.h"
#include "Charting/utils/Path.h"
#include "platform/Geometry.h"

#include <memory>

namespace charting {

class ChartDataEntry;
class PieChartDataSetProtocol;
class PieChartView;

// Draws a pie chart view's data: the slices with their spacing and the hole, highlighted slices
// pushed out by their selection shift, the values and entry labels (inside the slices, or
// outside at the end of a two-part line), the hole with the transparent circle around it, and
// the centre text. It describes the chart to assistive technology: per drawn data set a header
// element, then one element per drawn slice.
//
// Angles are in degrees, growing clockwise on screen from +x; slices start at the view's
// rotation angle. The chart is not owned: once the view is gone nothing is drawn.
class PieChartRenderer : public DataRenderer {
public:
    static std::shared_ptr<PieChartRenderer> create(PieChartView* chart,
                                                    std::shared_ptr<Animator> animator,
                                                    std::shared_ptr<ViewPortHandler> handler);
    PieChartRenderer(PieChartView* chart, std::shared_ptr<Animator> animator,
                     std::shared_ptr<ViewPortHandler> handler);

    // The chart, or none once it is gone.
    virtual PieChartView* chart() const;
    virtual void setChart(PieChartView* chart);

    const std::shared_ptr<ViewPortHandler>& viewPortHandler() const override {
        return viewPortHandler_;
    }
    const std::shared_ptr<Animator>& animator() const override { return animator_; }
    const AccessibilityElements& accessibleChartElements() const override {
        return accessibleChartElements_;
    }
    void setAccessibleChartElements(AccessibilityElements elements) override {
        accessibleChartElements_ = std::move(elements);
    }

    // Every visible pie data set with entries, in order.
    void drawData(GraphicsContext& context) override;
    void drawValues(GraphicsContext& context) override;
    // The hole, then the centre text.
    void drawExtras(GraphicsContext& context) override;
    void drawHighlighted(GraphicsContext& context, const Highlights& indices) override;
    void initBuffers() override {}
    // Values of a pie are drawn whenever there is a chart with data (each data set decides).
    bool isDrawingValuesAllowed(ChartDataProvider* dataProvider) override;

    // The radius at which the straight edges of a spaced slice meet.
    virtual double calculateMinimumRadiusForSpacedSlice(platform::Point center, double radius,
                                                        double angle, double arcStartPointX,
                                                        double arcStartPointY, double startAngle,
                                                        double sweepAngle);
    // The spacing to use: none when the automatic rule finds it would swallow the smallest
    // slice.
    virtual double getSliceSpace(const PieChartDataSetProtocol& dataSet);
    virtual void drawDataSet(GraphicsContext& context, const PieChartDataSetProtocol& dataSet);
    virtual void drawHole(GraphicsContext& context);
    virtual void drawCenterText(GraphicsContext& context);

private:
    // One slice's outline: the arc at the radius, then the inner arc of the hole, the point
    // where spaced edges meet, or the centre.
    struct SliceSpec {
        platform::Point center;
        double radius = 0;
        double rotation = 0;
        double angle = 0;      // where the slice starts, before the rotation
        double sliceAngle = 0; // its sweep
        double phaseY = 1;
        double sliceSpace = 0;
        double spaceAngleOuter = 0;
        bool singleSlice = false;
        bool drawInnerArc = false;
        double userInnerRadius = 0;
    };
    Path slicePath(const SliceSpec& spec);
    // The slice settings of a data set, for slices reaching out to outerRadius.
    SliceSpec sliceSpecFor(PieChartView& view, const PieChartDataSetProtocol& set,
                           double outerRadius);
    struct SetPlace {
        int dataSetIndex = -1;
        std::size_t firstAngle = 0; // of the set's first entry in the view's angle lists
    };
    // Where a data set stands in the data and in the view's angle lists.
    SetPlace placeOf(const PieChartDataSetProtocol& dataSet) const;
    // The header element of a data set.
    std::shared_ptr<NSUIAccessibilityElement> headerElement(const PieChartDataSetProtocol& set);
    // The element of one slice, framed by its path.
    std::shared_ptr<NSUIAccessibilityElement>
    sliceElement(int index, const PieChartDataSetProtocol& set, int dataSetIndex, const Path& path);
    // The value text of an entry (a percentage when the view shows percentages).
    QString valueText(const PieChartDataSetProtocol& set, int dataSetIndex,
                      const std::shared_ptr<ChartDataEntry>& entry);

    PieChartView* chart_ = nullptr;
    std::weak_ptr<const void> chartLifetime_;
    std::shared_ptr<Animator> animator_;
    std::shared_ptr<ViewPortHandler> viewPortHandler_;
    AccessibilityElements accessibleChartElements_;
};

} // namespace charting
