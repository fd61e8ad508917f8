#pragma once

#include "Charting/renderers/XAxisRenderer.h"

#include <QPointer>

namespace charting {

class RadarChartView;

// The x labels of a radar chart: one per spoke, just outside the web.
class XAxisRendererRadarChart : public XAxisRenderer {
public:
    static std::shared_ptr<XAxisRendererRadarChart>
    create(std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<XAxis> axis,
           RadarChartView* chart);
    static std::shared_ptr<XAxisRenderer> create(std::shared_ptr<ViewPortHandler>,
                                                 std::shared_ptr<XAxis>,
                                                 std::shared_ptr<Transformer>) = delete;

    // The chart, not owned: none once it is gone (then nothing is drawn).
    RadarChartView* chart() const { return chart_.data(); }

    void renderAxisLabels(GraphicsContext& context) override;
    // The text turned by the angle about the anchor (fractions of its size) placed on (x, y).
    virtual void drawLabel(GraphicsContext& context, const QString& formattedLabel, double x,
                           double y, const TextAttributes& attributes, platform::Point anchor,
                           double angleRadians);

protected:
    XAxisRendererRadarChart(std::shared_ptr<ViewPortHandler> viewPortHandler,
                            std::shared_ptr<XAxis> axis, RadarChartView* chart);

private:
    QPointer<RadarChartView> chart_;
};

} // namespace charting
