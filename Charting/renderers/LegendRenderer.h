#pragma once

#include "Charting/components/Legend.h"
#include "platform/Geometry.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>

namespace charting {

class ChartData;
class GraphicsContext;
class ViewPortHandler;

// Makes the legend's entries from the chart data, has the legend measure itself, and draws it.
class LegendRenderer {
public:
    static std::shared_ptr<LegendRenderer> create(std::shared_ptr<ViewPortHandler> viewPortHandler,
                                                  std::shared_ptr<Legend> legend);
    LegendRenderer(std::shared_ptr<ViewPortHandler> viewPortHandler,
                   std::shared_ptr<Legend> legend);
    LegendRenderer() = delete;
    virtual ~LegendRenderer() = default;
    LegendRenderer(const LegendRenderer&) = delete;
    LegendRenderer& operator=(const LegendRenderer&) = delete;

    // None: both operations do nothing.
    virtual std::shared_ptr<Legend> legend() const { return legend_; }
    virtual void setLegend(std::shared_ptr<Legend> legend) { legend_ = std::move(legend); }
    const std::shared_ptr<ViewPortHandler>& viewPortHandler() const { return viewPortHandler_; }

    // Rebuilds the legend's entries from the data (unless the legend is custom), then measures
    // the legend.
    virtual void computeLegend(const ChartData& data);
    // Draws every entry at its place.
    virtual void renderLegend(GraphicsContext& context);
    // One entry's form; (x, y) is its left edge and vertical centre.
    virtual void drawForm(GraphicsContext& context, double x, double y, const LegendEntry& entry,
                          const Legend& legend);
    // One label with the top-left corner of its box at (x, y).
    virtual void drawLabel(GraphicsContext& context, double x, double y, const QString& label,
                           const QFont& font, const QColor& textColor);

private:
    void renderHorizontal(GraphicsContext& context, const Legend& legend, double originX);
    void renderVertical(GraphicsContext& context, const Legend& legend, double originX);

    std::shared_ptr<ViewPortHandler> viewPortHandler_;
    std::shared_ptr<Legend> legend_;
    // The two end points of a line form, reused for every entry.
    std::vector<platform::Point> formLineSegmentsBuffer_;
};

} // namespace charting
