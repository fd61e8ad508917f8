#include "Charting/renderers/BarLineScatterCandleBubbleRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"
#include "Charting/data/BarLineScatterCandleBubbleChartDataSetProtocol.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/renderers/AccessibleChart.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace charting {

using XBounds = BarLineScatterCandleBubbleRenderer::XBounds;

XBounds::XBounds(BarLineScatterCandleBubbleChartDataProvider& chart,
                 const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet,
                 const Animator* animator) {
    set(chart, dataSet, animator);
}

void XBounds::set(BarLineScatterCandleBubbleChartDataProvider& chart,
                  const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet,
                  const Animator* animator) {
    const double phaseX = animator ? std::clamp(animator->phaseX(), 0.0, 1.0) : 1.0;
    const double low = chart.lowestVisibleX();
    const double high = chart.highestVisibleX();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // The positions of the entries found (the search returns -1 when it finds none).
    min = std::max(0, dataSet.entryIndex(low, nan, ChartDataSetRounding::roundDown));
    max = std::max(0, dataSet.entryIndex(high, nan, ChartDataSetRounding::roundUp));
    const long long span = max - min;
    // NaN (a NaN phase) gives 0.
    range = checkedIndex(double(span) * phaseX, std::min(0LL, span), std::max(0LL, span));
}

std::vector<long long> XBounds::indices() const {
    return std::vector<long long>(begin(), end());
}

QString XBounds::description() const {
    return QStringLiteral("min:%1, max:%2, range:%3").arg(min).arg(max).arg(range);
}

BarLineScatterCandleBubbleRenderer::BarLineScatterCandleBubbleRenderer(
    std::shared_ptr<Animator> animator, std::shared_ptr<ViewPortHandler> viewPortHandler)
    : viewPortHandler_(std::move(viewPortHandler)), animator_(std::move(animator)) {}

void BarLineScatterCandleBubbleRenderer::drawData(GraphicsContext&) {}
void BarLineScatterCandleBubbleRenderer::drawValues(GraphicsContext&) {}
void BarLineScatterCandleBubbleRenderer::drawExtras(GraphicsContext&) {}
void BarLineScatterCandleBubbleRenderer::drawHighlighted(GraphicsContext&, const Highlights&) {}
void BarLineScatterCandleBubbleRenderer::initBuffers() {}

bool BarLineScatterCandleBubbleRenderer::isDrawingValuesAllowed(ChartDataProvider* dataProvider) {
    return hasFewerEntriesThanVisible(dataProvider, viewPortHandler_->scaleX());
}

bool BarLineScatterCandleBubbleRenderer::hasFewerEntriesThanVisible(ChartDataProvider* dataProvider,
                                                                    double scale) const {
    if (!dataProvider)
        return false;
    const auto data = dataProvider->data();
    if (!data)
        return false;
    const double limit = double(dataProvider->maxVisibleCount()) * scale;
    return data->entryCount() < checkedIndex(limit, std::numeric_limits<long long>::min(),
                                             std::numeric_limits<long long>::max());
}

bool BarLineScatterCandleBubbleRenderer::isInBoundsX(
    const std::shared_ptr<ChartDataEntry>& entry,
    const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet) const {
    const double phaseX = animator_ ? animator_->phaseX() : 1.0;
    return double(dataSet.entryIndex(entry)) < double(dataSet.entryCount()) * phaseX;
}

bool BarLineScatterCandleBubbleRenderer::shouldDrawValues(const ChartDataSetProtocol& dataSet) const {
    return dataSet.isVisible() && (dataSet.isDrawValuesEnabled() || dataSet.isDrawIconsEnabled());
}

void BarLineScatterCandleBubbleRenderer::restartAccessibleElements(
    ChartDataProvider& provider, const ChartData& data, const QString& defaultDescription) {
    accessibleChartElements_.clear();
    if (auto* chart = dynamic_cast<AccessibleChart*>(&provider))
        accessibleChartElements_.push_back(createAccessibleHeader(*chart, data, defaultDescription));
}

void BarLineScatterCandleBubbleRenderer::drawEntryValues(
    GraphicsContext& context, BarLineScatterCandleBubbleChartDataProvider& provider,
    const BarLineScatterCandleBubbleChartDataSetProtocol& dataSet, int dataSetIndex,
    double offset, double (*valueOf)(const ChartDataEntry&)) {
    const QFont valueFont = dataSet.valueFont();
    const auto formatter = dataSet.valueFormatter();
    const double angle = dataSet.valueLabelAngle() * std::numbers::pi / 180.0;
    const platform::AffineTransform matrix =
        provider.getTransformerForAxis(dataSet.axisDependency())->valueToPixelMatrix();
    const platform::Point iconsOffset = dataSet.iconsOffset();
    const double lift = offset + textMeasurer().boundingRectForFont(valueFont).size.height;
    const double phaseY = animator_ ? animator_->phaseY() : 1.0;
    const ViewPortHandler& vph = *viewPortHandler_;

    xBounds_.set(provider, dataSet, animator_.get());
    for (const long long j : xBounds_) {
        const auto entry = dataSet.entryForIndex(int(j));
        if (!entry)
            break;
        const platform::Point pt = matrix.apply(platform::Point{entry->x(), entry->y() * phaseY});
        if (!vph.isInBoundsRight(pt.x))
            break;
        if (!vph.isInBoundsLeft(pt.x) || !vph.isInBoundsY(pt.y))
            continue;
        if (dataSet.isDrawValuesEnabled()) {
            const QString text =
                formatter->stringForValue(valueOf ? valueOf(*entry) : entry->y(), entry, dataSetIndex, viewPortHandler_.get());
            TextAttributes attributes;
            attributes.font = valueFont;
            attributes.foregroundColor = dataSet.valueTextColorAt(int(j));
            const double width = textMeasurer().size(text, attributes).width;
            const platform::Point at{pt.x - width / 2, pt.y - lift};
            if (angle == 0)
                context.drawText(text, at, attributes);
            else
                drawTextAnchored(context, text, at, attributes, platform::Point{0.5, 0.5}, angle);
        }
        if (entry->icon() && dataSet.isDrawIconsEnabled()) {
            const QImage& icon = *entry->icon();
            drawImageCentred(context, icon,
                             platform::Point{pt.x + iconsOffset.x, pt.y + iconsOffset.y},
                             platform::Size{icon.deviceIndependentSize().width(),
                                            icon.deviceIndependentSize().height()});
        }
    }
}

} // namespace charting
