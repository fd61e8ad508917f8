#pragma once

#include "Charting/renderers/LineScatterCandleRadarRenderer.h"
#include "Charting/utils/LifetimeToken.h"

#include <memory>

namespace charting {

class ScatterChartDataProvider;
class ScatterChartDataSetProtocol;

// Draws the data of a scatter chart: the shape of every visible entry (through its data set's
// shape renderer), value labels above the shapes, icons, and the cross-hair lines of highlights.
// Entries are visited in x order and each loop ends at the first entry right of the content.
class ScatterChartRenderer : public LineScatterCandleRadarRenderer {
public:
    static std::shared_ptr<ScatterChartRenderer>
    create(ScatterChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
           std::shared_ptr<ViewPortHandler> viewPortHandler);
    ScatterChartRenderer(ScatterChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
                         std::shared_ptr<ViewPortHandler> viewPortHandler);
    ScatterChartRenderer(std::shared_ptr<Animator>, std::shared_ptr<ViewPortHandler>) = delete;

    // The chart, not owned: none once it is gone (then nothing is drawn).
    virtual ScatterChartDataProvider* dataProvider() const { return dataProvider_.get(); }
    virtual void setDataProvider(ScatterChartDataProvider* dataProvider) {
        dataProvider_.reset(dataProvider);
    }

    // The chart's accessibility header, then the shapes of each visible data set. Data sets of
    // another kind are skipped.
    void drawData(GraphicsContext& context) override;
    void drawValues(GraphicsContext& context) override;
    // Nothing.
    void drawExtras(GraphicsContext& context) override;
    // Highlights naming no scatter data set, or one that does not highlight, are skipped.
    void drawHighlighted(GraphicsContext& context, const Highlights& indices) override;

    // The shapes of one data set, as far as the x animation has come; a data set without a shape
    // renderer logs a line and draws nothing.
    virtual void drawDataSet(GraphicsContext& context, const ScatterChartDataSetProtocol& dataSet);

private:
    NonOwningPointer<ScatterChartDataProvider> dataProvider_;
};

} // namespace charting
