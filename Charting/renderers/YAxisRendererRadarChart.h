#pragma once

#include "Charting/renderers/YAxisRenderer.h"

#include <QPointer>

namespace charting {

class RadarChartView;

// The y axis of a radar chart: its labels along the spoke at the rotation angle, its limit
// lines as polygons through the spokes. Its label values are the ordinary y axis's.
class YAxisRendererRadarChart : public YAxisRenderer {
public:
    static std::shared_ptr<YAxisRendererRadarChart>
    create(std::shared_ptr<ViewPortHandler> viewPortHandler, std::shared_ptr<YAxis> axis,
           RadarChartView* chart);
    static std::shared_ptr<YAxisRenderer> create(std::shared_ptr<ViewPortHandler>,
                                                 std::shared_ptr<YAxis>,
                                                 std::shared_ptr<Transformer>) = delete;

    // The chart, not owned: none once it is gone (then nothing is drawn).
    RadarChartView* chart() const { return chart_.data(); }

    void renderAxisLabels(GraphicsContext& context) override;
    // Each enabled limit line as a closed polygon at its value's distance; no labels.
    void renderLimitLines(GraphicsContext& context) override;

protected:
    YAxisRendererRadarChart(std::shared_ptr<ViewPortHandler> viewPortHandler,
                            std::shared_ptr<YAxis> axis, RadarChartView* chart);

private:
    QPointer<RadarChartView> chart_;
};

} // namespace charting
