#include "Charting/renderers/BubbleChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/BubbleChartData.h"
#include "Charting/data/BubbleChartDataEntry.h"
#include "Charting/data/BubbleChartDataProvider.h"
#include "Charting/data/BubbleChartDataSetProtocol.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <algorithm>
#include <cmath>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

namespace {

Rect circleAround(Point centre, double diameter) {
    return Rect(centre.x - diameter / 2, centre.y - diameter / 2, diameter, diameter);
}

// The label of a bubble is its size.
double bubbleSize(const ChartDataEntry& entry) {
    auto bubble = dynamic_cast<const BubbleChartDataEntry*>(&entry);
    return bubble ? bubble->size() : entry.y();
}

} // namespace

std::shared_ptr<BubbleChartRenderer>
BubbleChartRenderer::create(BubbleChartDataProvider* dataProvider,
                            std::shared_ptr<Animator> animator,
                            std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<BubbleChartRenderer>(dataProvider, std::move(animator),
                                                 std::move(viewPortHandler));
}

BubbleChartRenderer::BubbleChartRenderer(BubbleChartDataProvider* dataProvider,
                                         std::shared_ptr<Animator> animator,
                                         std::shared_ptr<ViewPortHandler> viewPortHandler)
    : BarLineScatterCandleBubbleRenderer(std::move(animator), std::move(viewPortHandler)),
      dataProvider_(dataProvider) {}

double BubbleChartRenderer::bubbleDiameter(const BubbleChartDataEntry& entry,
                                           const BubbleChartDataSetProtocol& dataSet,
                                           const AffineTransform& matrix) const {
    const ViewPortHandler& vph = *viewPortHandler();
    const double unit = std::abs(matrix.apply(Point{1, 0}).x - matrix.apply(Point{0, 0}).x);
    const double reference = std::min({unit, vph.contentWidth(), vph.contentHeight()});
    double factor = entry.size();
    if (dataSet.isNormalizeSizeEnabled())
        factor = dataSet.maxSize() > 0 ? entry.size() / dataSet.maxSize() : 0;
    return factor > 0 ? reference * std::sqrt(factor) : 0;
}

void BubbleChartRenderer::drawData(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto data = provider->bubbleData();
    if (!data)
        return;
    restartAccessibleElements(*provider, *data, QStringLiteral("Bubble Chart"));

    const ViewPortHandler& vph = *viewPortHandler();
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    context.saveGState();
    for (const auto& set : data->dataSets()) {
        auto* dataSet = dynamic_cast<const BubbleChartDataSetProtocol*>(set.get());
        if (!dataSet || !dataSet->isVisible())
            continue;
        const AffineTransform matrix =
            provider->getTransformerForAxis(dataSet->axisDependency())->valueToPixelMatrix();
        XBounds& bounds = xBounds();
        bounds.set(*provider, *dataSet, animator().get());
        for (const long long j : bounds) {
            auto entry = std::dynamic_pointer_cast<BubbleChartDataEntry>(
                dataSet->entryForIndex(int(j)));
            if (!entry)
                continue;
            const Point pt = matrix.apply(Point{entry->x(), entry->y() * phaseY});
            const double diameter = bubbleDiameter(*entry, *dataSet, matrix);
            const double r = diameter / 2;
            if (!(diameter > 0) || !vph.isInBoundsLeft(pt.x + r) || !vph.isInBoundsRight(pt.x - r) ||
                !vph.isInBoundsTop(pt.y + r) || !vph.isInBoundsBottom(pt.y - r))
                continue;
            context.setFillColor(dataSet->colorAtIndex(int(j)));
            context.fillEllipse(circleAround(pt, diameter));
        }
    }
    context.restoreGState();
}

void BubbleChartRenderer::drawValues(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto data = provider->bubbleData();
    if (!data || !isDrawingValuesAllowed(provider))
        return;
    const auto& dataSets = data->dataSets();
    for (std::size_t i = 0; i < dataSets.size(); ++i) {
        auto* dataSet = dynamic_cast<const BubbleChartDataSetProtocol*>(dataSets[i].get());
        if (!dataSet || !shouldDrawValues(*dataSet))
            continue;
        // Centred on the bubble: the box's top half a line above the point.
        const double lineHeight =
            textMeasurer().boundingRectForFont(dataSet->valueFont()).size.height;
        drawEntryValues(context, *provider, *dataSet, int(i), -lineHeight / 2, bubbleSize);
    }
}

void BubbleChartRenderer::drawHighlighted(GraphicsContext& context, const Highlights& indices) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto data = provider->bubbleData();
    if (!data)
        return;
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    context.saveGState();
    for (const auto& high : indices) {
        if (!high || high->dataSetIndex() < 0 || high->dataSetIndex() >= data->dataSetCount())
            continue;
        auto* dataSet = dynamic_cast<const BubbleChartDataSetProtocol*>(
            data->dataSets()[std::size_t(high->dataSetIndex())].get());
        if (!dataSet || !dataSet->isHighlightEnabled())
            continue;
        auto entry = std::dynamic_pointer_cast<BubbleChartDataEntry>(
            dataSet->entryForXValue(high->x(), high->y()));
        if (!entry || !isInBoundsX(entry, *dataSet))
            continue;
        const AffineTransform matrix =
            provider->getTransformerForAxis(dataSet->axisDependency())->valueToPixelMatrix();
        const Point pt = matrix.apply(Point{entry->x(), entry->y() * phaseY});
        high->setDraw(pt);
        const double diameter = bubbleDiameter(*entry, *dataSet, matrix);
        if (!(diameter > 0) || !(dataSet->highlightCircleWidth() > 0))
            continue;
        context.setStrokeColor(dataSet->highlightColor());
        context.setLineWidth(dataSet->highlightCircleWidth());
        context.setLineDash(0, {});
        context.strokeEllipse(circleAround(pt, diameter));
    }
    context.restoreGState();
}

} // namespace charting
