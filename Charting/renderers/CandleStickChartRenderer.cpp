#include "Charting/renderers/CandleStickChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/CandleChartData.h"
#include "Charting/data/CandleChartDataEntry.h"
#include "Charting/data/CandleChartDataProvider.h"
#include "Charting/data/CandleChartDataSetProtocol.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/Transformer.h"

#include <algorithm>
#include <cmath>

namespace charting {

using platform::AffineTransform;
using platform::Point;
using platform::Rect;

std::shared_ptr<CandleStickChartRenderer>
CandleStickChartRenderer::create(CandleChartDataProvider* dataProvider,
                                 std::shared_ptr<Animator> animator,
                                 std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<CandleStickChartRenderer>(dataProvider, std::move(animator),
                                                      std::move(viewPortHandler));
}

CandleStickChartRenderer::CandleStickChartRenderer(CandleChartDataProvider* dataProvider,
                                                   std::shared_ptr<Animator> animator,
                                                   std::shared_ptr<ViewPortHandler> viewPortHandler)
    : LineScatterCandleRadarRenderer(std::move(animator), std::move(viewPortHandler)),
      dataProvider_(dataProvider) {}

void CandleStickChartRenderer::drawData(GraphicsContext& context) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const auto data = provider->candleData();
    if (!data)
        return;
    restartAccessibleElements(*provider, *data, QStringLiteral("CandleStick Chart"));
    for (const auto& set : data->dataSets()) {
        auto* dataSet = dynamic_cast<const CandleChartDataSetProtocol*>(set.get());
        if (dataSet && dataSet->isVisible())
            drawDataSet(context, *dataSet);
    }
}

void CandleStickChartRenderer::drawDataSet(GraphicsContext& context,
                                           const CandleChartDataSetProtocol& dataSet) {
    auto* provider = dataProvider();
    if (!provider)
        return;
    const AffineTransform matrix =
        provider->getTransformerForAxis(dataSet.axisDependency())->valueToPixelMatrix();
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    const double barSpace = dataSet.barSpace();
    const auto pixel = [&](double x, double y) { return matrix.apply(Point{x, y * phaseY}); };

    XBounds& bounds = xBounds();
    bounds.set(*provider, dataSet, animator().get());
    context.saveGState();
    context.setLineWidth(dataSet.shadowWidth());
    context.setLineDash(0, {});
    for (const long long j : bounds) {
        const auto entry =
            std::dynamic_pointer_cast<CandleChartDataEntry>(dataSet.entryForIndex(int(j)));
        if (!entry)
            continue;
        const double x = entry->x();
        const double open = entry->open();
        const double close = entry->close();
        const QColor entryColor = dataSet.colorAtIndex(int(j));
        const std::optional<QColor> ownColor = close > open   ? dataSet.increasingColor()
                                               : close < open ? dataSet.decreasingColor()
                                                              : dataSet.neutralColor();
        const QColor color = ownColor.value_or(entryColor);

        if (!dataSet.showCandleBar()) {
            context.setStrokeColor(color);
            context.strokeLineSegments({pixel(x, entry->high()), pixel(x, entry->low()),
                                        pixel(x - 0.5 + barSpace, open), pixel(x, open),
                                        pixel(x, close), pixel(x + 0.5 - barSpace, close)});
            continue;
        }

        const double top = std::max(open, close);
        const double bottom = std::min(open, close);
        context.setStrokeColor(dataSet.isShadowColorSameAsCandle()
                                   ? color
                                   : dataSet.shadowColor().value_or(entryColor));
        context.strokeLineSegments({pixel(x, entry->high()), pixel(x, top), pixel(x, bottom),
                                    pixel(x, entry->low())});

        const Point a = pixel(x - 0.5 + barSpace, top);
        const Point b = pixel(x + 0.5 - barSpace, bottom);
        if (close == open) {
            context.setStrokeColor(color);
            context.strokeLineSegments({a, Point{b.x, a.y}});
            continue;
        }
        const Rect body(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x),
                        std::abs(b.y - a.y));
        const bool filled =
            close > open ? dataSet.isIncreasingFilled() : dataSet.isDecreasingFilled();
        if (filled) {
            context.setFillColor(color);
            context.fillRect(body);
        } else {
            context.setStrokeColor(color);
            context.strokeRect(body);
        }
    }
    context.restoreGState();
}

} // namespace charting
