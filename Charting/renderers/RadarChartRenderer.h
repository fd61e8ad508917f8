#pragma once

#include "Charting/renderers/LineRadarRenderer.h"

#include <QPointer>
#include <QStringList>

#include <array>
#include <optional>

namespace charting {

class RadarChartDataSetProtocol;
class RadarChartView;

// Draws a radar chart: the web (spokes and rings), one closed polygon per visible data set
// (filled and/or outlined), value texts and icons, and the highlight lines and rings; it builds
// the chart's accessibility elements as it draws the polygons.
class RadarChartRenderer : public LineRadarRenderer {
public:
    static std::shared_ptr<RadarChartRenderer> create(RadarChartView* chart,
                                                      std::shared_ptr<Animator> animator,
                                                      std::shared_ptr<ViewPortHandler> viewPortHandler);
    RadarChartRenderer(RadarChartView* chart, std::shared_ptr<Animator> animator,
                       std::shared_ptr<ViewPortHandler> viewPortHandler);
    RadarChartRenderer(std::shared_ptr<Animator>, std::shared_ptr<ViewPortHandler>) = delete;

    // The chart, not owned: none once it is gone (then nothing is drawn).
    virtual RadarChartView* chart() const { return chart_.data(); }
    virtual void setChart(RadarChartView* chart);

    // The accessibility header, then the polygon of each visible radar data set.
    void drawData(GraphicsContext& context) override;
    void drawValues(GraphicsContext& context) override;
    // The web.
    void drawExtras(GraphicsContext& context) override;
    // Highlights naming no radar entry, or an entry the x animation has not reached, are skipped.
    void drawHighlighted(GraphicsContext& context, const Highlights& indices) override;

    // The polygon of one data set; a set shorter than the largest is closed through the centre.
    virtual void drawDataSet(GraphicsContext& context, const RadarChartDataSetProtocol& dataSet,
                             int mostEntries);
    // The spokes (every skipWebLineCount + 1'th) and the rings at the y axis's label values.
    virtual void drawWeb(GraphicsContext& context);

    // The x axis's label of each spoke, made on first use and kept until the data changes.
    const QStringList& accessibilityXLabels();

private:
    // The view point of a value at an entry index, with the animation's phases.
    platform::Point entryPoint(double value, double index, double phaseX, double phaseY);
    void drawHighlightCircle(GraphicsContext& context, platform::Point point, double innerRadius,
                             double outerRadius, const std::optional<QColor>& fillColor,
                             const std::optional<QColor>& strokeColor, double strokeWidth);

    QPointer<RadarChartView> chart_;
    std::optional<QStringList> accessibilityXLabels_;
    // What the labels were made for: the data and its largest entry count.
    const ChartData* labelledData_ = nullptr;
    int labelledCount_ = -1;
    std::array<platform::Point, 2> webLineSegmentsBuffer_{};
    platform::Point highlightPointBuffer_{};
};

} // namespace charting
