#include "Charting/renderers/ScatterChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/ScatterChartData.h"
#include "Charting/data/ScatterChartDataProvider.h"
#include "Charting/data/ScatterChartDataSetProtocol.h"
#include "Charting/renderers/ShapeRenderer.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Log.h"

#include <cmath>
#include <limits>

namespace charting {

using platform::AffineTransform;
using platform::Point;

std::shared_ptr<ScatterChartRenderer>
ScatterChartRenderer::create(ScatterChartDataProvider* dataProvider,
                             std::shared_ptr<Animator> animator,
                             std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<ScatterChartRenderer>(dataProvider, std::move(animator),
                                                  std::move(viewPortHandler));
}

ScatterChartRenderer::ScatterChartRenderer(ScatterChartDataProvider* dataProvider,
                                           std::shared_ptr<Animator> animator,
                                           std::shared_ptr<ViewPortHandler> viewPortHandler)
    : LineScatterCandleRadarRenderer(std::move(animator), std::move(viewPortHandler)),
      dataProvider_(dataProvider) {}

void ScatterChartRenderer::drawData(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto data = provider->scatterData();
    if (!data)
        return;
    restartAccessibleElements(*provider, *data, QStringLiteral("Scatter Chart"));
    for (const auto& set : data->dataSets()) {
        auto* dataSet = dynamic_cast<const ScatterChartDataSetProtocol*>(set.get());
        if (dataSet && dataSet->isVisible())
            drawDataSet(context, *dataSet);
    }
}

void ScatterChartRenderer::drawDataSet(GraphicsContext& context,
                                       const ScatterChartDataSetProtocol& dataSet) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const AffineTransform matrix =
        provider->getTransformerForAxis(dataSet.axisDependency())->valueToPixelMatrix();
    const double phaseX = animator() ? animator()->phaseX() : 1.0;
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    const int entryCount = dataSet.entryCount();
    const auto shapeRenderer = dataSet.shapeRenderer();
    if (!shapeRenderer) {
        platform::logLine("There's no ShapeRenderer specified for ScatterDataSet");
        return;
    }
    const ViewPortHandler& vph = *viewPortHandler();
    context.saveGState();
    const long long count =
        checkedIndex(std::ceil(double(entryCount) * phaseX), 0, entryCount);
    for (long long i = 0; i < count; ++i) {
        const auto entry = dataSet.entryForIndex(int(i));
        if (!entry)
            continue;
        const Point pt = matrix.apply(Point{entry->x(), entry->y() * phaseY});
        // The entries are in x order: the rest lie further right.
        if (!vph.isInBoundsRight(pt.x))
            break;
        if (!vph.isInBoundsLeft(pt.x) || !vph.isInBoundsY(pt.y))
            continue;
        shapeRenderer->renderShape(context, dataSet, vph, pt, dataSet.colorAtIndex(int(i)));
    }
    context.restoreGState();
}

void ScatterChartRenderer::drawValues(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto data = provider->scatterData();
    if (!data || !isDrawingValuesAllowed(provider))
        return;
    const auto& dataSets = data->dataSets();
    for (std::size_t i = 0; i < dataSets.size(); ++i) {
        auto* dataSet = dynamic_cast<const ScatterChartDataSetProtocol*>(dataSets[i].get());
        if (!dataSet || !shouldDrawValues(*dataSet))
            continue;
        drawEntryValues(context, *provider, *dataSet, int(i), dataSet->scatterShapeSize());
    }
}

void ScatterChartRenderer::drawExtras(GraphicsContext&) {}

void ScatterChartRenderer::drawHighlighted(GraphicsContext& context, const Highlights& indices) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    if (const auto data = provider->scatterData())
        drawHighlightsOf(
            context, *provider, *data, indices,
            [](const ChartDataSetProtocol& set) {
                return dynamic_cast<const ScatterChartDataSetProtocol*>(&set) != nullptr;
            },
            std::numeric_limits<double>::infinity());
}

} // namespace charting
