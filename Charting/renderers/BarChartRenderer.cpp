#include "Charting/renderers/BarChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/components/XAxis.h"
#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataEntry.h"
#include "Charting/data/BarChartDataProvider.h"
#include "Charting/data/BarChartDataSetProtocol.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/Range.h"
#include "Charting/formatters/ChartAxisValueFormatter.h"
#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/renderers/AccessibleChart.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/NumberText.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace charting {

using platform::Point;
using platform::Rect;

namespace {

// The set's entry at the index when it is a bar entry.
std::shared_ptr<BarChartDataEntry> barEntry(const BarChartDataSetProtocol& dataSet, long long i) {
    return std::dynamic_pointer_cast<BarChartDataEntry>(dataSet.entryForIndex(int(i)));
}

} // namespace

std::shared_ptr<BarChartRenderer>
BarChartRenderer::create(BarChartDataProvider* dataProvider, std::shared_ptr<Animator> animator,
                         std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<BarChartRenderer>(dataProvider, std::move(animator),
                                              std::move(viewPortHandler));
}

BarChartRenderer::BarChartRenderer(BarChartDataProvider* dataProvider,
                                   std::shared_ptr<Animator> animator,
                                   std::shared_ptr<ViewPortHandler> viewPortHandler)
    : BarLineScatterCandleBubbleRenderer(std::move(animator), std::move(viewPortHandler)) {
    setDataProvider(dataProvider);
}

BarChartDataProvider* BarChartRenderer::dataProvider() const {
    return dataProviderLifetime_.expired() ? nullptr : dataProvider_;
}

void BarChartRenderer::setDataProvider(BarChartDataProvider* dataProvider) {
    dataProvider_ = dataProvider;
    dataProviderLifetime_ =
        dataProvider ? dataProvider->lifetimeToken() : std::weak_ptr<const void>();
}

// ---- buffers ----

void BarChartRenderer::initBuffers() {
    auto* provider = dataProvider();
    const auto barData = provider ? provider->barData() : nullptr;
    if (!barData) {
        buffers_.clear();
        return;
    }
    const auto& dataSets = barData->dataSets();
    buffers_.resize(dataSets.size());
    for (std::size_t i = 0; i < dataSets.size(); ++i) {
        const auto* set = dynamic_cast<const BarChartDataSetProtocol*>(dataSets[i].get());
        const long long count = set ? set->entryCount() : 0;
        const long long size = set && set->isStacked() ? count * set->stackSize() : count;
        buffers_[i].rects.reserve(std::size_t(std::max(0LL, size)));
    }
}

long long BarChartRenderer::animatedCount(const BarChartDataSetProtocol& dataSet) const {
    const long long count = dataSet.entryCount();
    const double phaseX = animator() ? animator()->phaseX() : 1.0;
    return checkedIndex(std::ceil(double(count) * phaseX), 0, count);
}

Rect BarChartRenderer::valueRect(double x, double barWidthHalf, double from, double to) const {
    if (barsAreHorizontal())
        return Rect(from, x + barWidthHalf, to - from, -2 * barWidthHalf);
    return Rect(x - barWidthHalf, to, 2 * barWidthHalf, from - to);
}

void BarChartRenderer::prepareBuffer(const BarChartDataSetProtocol& dataSet, int index) {
    auto* provider = dataProvider();
    const auto barData = provider ? provider->barData() : nullptr;
    if (!barData || index < 0)
        return;
    if (std::size_t(index) >= buffers_.size())
        buffers_.resize(std::size_t(index) + 1);
    // Rebuilt from the entries on every frame: the buffer holds exactly the rectangles drawn,
    // whatever the entries became since the buffers were sized (its memory is kept).
    std::vector<Rect>& rects = buffers_[std::size_t(index)].rects;
    rects.clear();

    const double barWidthHalf = barData->barWidth() / 2.0;
    const bool isInverted = provider->isInverted(dataSet.axisDependency());
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    const bool stacked = dataSet.isStacked();
    const long long count = animatedCount(dataSet);
    for (long long i = 0; i < count; ++i) {
        const auto entry = barEntry(dataSet, i);
        if (!entry)
            continue;
        const double x = entry->x();
        const auto& values = entry->yValues();
        if (!stacked || !values) {
            const double y = entry->y();
            double to = isInverted ? (y <= 0 ? y : 0) : (y >= 0 ? y : 0);
            double from = isInverted ? (y >= 0 ? y : 0) : (y <= 0 ? y : 0);
            if (to > 0)
                to *= phaseY;
            else
                from *= phaseY;
            rects.push_back(valueRect(x, barWidthHalf, from, to));
            continue;
        }
        double posY = 0;
        double negY = -entry->negativeSum();
        for (const double v : *values) {
            double y, yStart;
            if (v == 0 && (posY == 0 || negY == 0)) {
                y = yStart = v;
            } else if (v >= 0) {
                y = posY;
                yStart = posY + v;
                posY = yStart;
            } else {
                y = negY;
                yStart = negY + std::abs(v);
                negY += std::abs(v);
            }
            const double to = (isInverted ? std::min(y, yStart) : std::max(y, yStart)) * phaseY;
            const double from = (isInverted ? std::max(y, yStart) : std::min(y, yStart)) * phaseY;
            rects.push_back(valueRect(x, barWidthHalf, from, to));
        }
    }
}

// ---- bars ----

Rect BarChartRenderer::shadowRect(double x, double barWidth, const Transformer& trans) const {
    Rect r(x - barWidth / 2.0, 0, barWidth, 0);
    trans.rectToPixel(r);
    const ViewPortHandler& vph = *viewPortHandler();
    r.origin.y = vph.contentTop();
    r.size.height = vph.contentHeight();
    return r;
}

bool BarChartRenderer::isBeyondContent(const Rect& bar) const {
    return !viewPortHandler()->isInBoundsRight(bar.origin.x);
}

bool BarChartRenderer::isBeforeContent(const Rect& bar) const {
    return !viewPortHandler()->isInBoundsLeft(bar.origin.x + bar.size.width);
}

void BarChartRenderer::drawData(GraphicsContext& context) {
    auto* provider = dataProvider();
    const auto barData = provider ? provider->barData() : nullptr;
    if (!barData)
        return;
    if (buffers_.size() != std::size_t(barData->dataSetCount()))
        initBuffers();

    elements().clear();
    accessibilityOrderedElements_.clear();
    if (auto* chart = dynamic_cast<AccessibleChart*>(provider))
        elements().push_back(createAccessibleHeader(*chart, *barData, QStringLiteral("Bar Chart")));

    const auto dataSets = barData->dataSets();
    for (std::size_t i = 0; i < dataSets.size(); ++i) {
        auto* set = dynamic_cast<BarChartDataSetProtocol*>(dataSets[i].get());
        if (set && set->isVisible() && set->entryCount() > 0)
            drawDataSet(context, *set, int(i));
    }

    for (const auto& group : accessibilityOrderedElements_)
        elements().insert(elements().end(), group.begin(), group.end());
    accessibilityPostLayoutChangedNotification(nullptr);
}

void BarChartRenderer::drawDataSet(GraphicsContext& context, BarChartDataSetProtocol& dataSet,
                                   int index) {
    auto* provider = dataProvider();
    if (!provider || index < 0)
        return;
    const auto trans = provider->getTransformerForAxis(dataSet.axisDependency());
    if (!trans)
        return;
    prepareBuffer(dataSet, index);
    if (std::size_t(index) >= buffers_.size())
        return;
    std::vector<Rect>& rects = buffers_[std::size_t(index)].rects;
    trans->rectsToPixels(rects);

    const double borderWidth = dataSet.barBorderWidth();
    const QColor borderColor = dataSet.barBorderColor();
    context.saveGState();

    const auto barData = provider->barData();
    if (provider->isDrawBarShadowEnabled() && barData) {
        context.setFillColor(dataSet.barShadowColor());
        const long long count = animatedCount(dataSet);
        for (long long i = 0; i < count; ++i) {
            const auto entry = barEntry(dataSet, i);
            if (!entry)
                continue;
            barShadowRectBuffer_ = shadowRect(entry->x(), barData->barWidth(), *trans);
            if (isBeyondContent(barShadowRectBuffer_))
                break;
            if (isBeforeContent(barShadowRectBuffer_))
                continue;
            context.fillRect(barShadowRectBuffer_);
        }
    }

    const bool singleColor = dataSet.colors().size() == 1;
    if (singleColor)
        context.setFillColor(dataSet.colorAtIndex(0));
    auto* chart = dynamic_cast<AccessibleChart*>(provider);
    const int stackSize = std::max(1, dataSet.stackSize());
    for (std::size_t j = 0; j < rects.size(); ++j) {
        const Rect& bar = rects[j];
        if (isBeyondContent(bar))
            break;
        if (isBeforeContent(bar))
            continue;
        if (!singleColor)
            context.setFillColor(dataSet.colorAtIndex(int(j)));
        context.fillRect(bar);
        if (borderWidth > 0) {
            context.setStrokeColor(borderColor);
            context.setLineWidth(borderWidth);
            context.strokeRect(bar);
        }
        if (chart) {
            const std::size_t group = j / std::size_t(stackSize);
            if (group >= accessibilityOrderedElements_.size())
                accessibilityOrderedElements_.resize(group + 1);
            accessibilityOrderedElements_[group].push_back(
                createAccessibleElement(bar, dataSet, index, int(j), stackSize));
        }
    }
    context.restoreGState();
}

std::shared_ptr<NSUIAccessibilityElement>
BarChartRenderer::createAccessibleElement(const Rect& bar, const BarChartDataSetProtocol& dataSet,
                                          int dataSetIndex, int index, int stackSize) {
    auto* provider = dataProvider();
    auto* chart = dynamic_cast<AccessibleChart*>(provider);
    auto element = NSUIAccessibilityElement::create(chart ? chart->accessibilityContainer()
                                                          : nullptr);
    const bool stacked = dataSet.isStacked() && stackSize > 0;
    const int entryIndex = stacked ? index / stackSize : index;
    const int level = stacked ? index % stackSize : 0;
    const auto entry =
        std::dynamic_pointer_cast<BarChartDataEntry>(dataSet.entryForIndex(entryIndex));
    if (!entry || !chart)
        return element;
    const auto xAxis = chart->xAxis();
    const auto xFormatter = xAxis ? xAxis->valueFormatter() : nullptr;
    const QString xText = xFormatter ? xFormatter->stringForValue(entry->x(), xAxis.get())
                                     : shortestText(entry->x());
    double value = entry->y();
    QString levelText;
    if (stacked && entry->yValues() && std::size_t(level) < entry->yValues()->size()) {
        value = (*entry->yValues())[std::size_t(level)];
        const QStringList labels = dataSet.stackLabels();
        if (level < labels.size())
            levelText = QStringLiteral(" ") + labels[level];
    }
    const QString yText = dataSet.valueFormatter()->stringForValue(value, entry, dataSetIndex,
                                                                   viewPortHandler().get());
    const auto barData = provider->barData();
    const QString prefix = barData && barData->dataSetCount() >= 2
                               ? dataSet.label().value_or(QString()) + QStringLiteral(", ")
                               : QString();
    element->setElementLabel(prefix + xText + levelText + QStringLiteral(": ") + yText);
    element->setElementFrame(bar);
    return element;
}

// ---- values ----

void BarChartRenderer::drawValue(GraphicsContext& context, const QString& value, Point point,
                                 const QFont& font, TextAlignment align, const QColor& color,
                                 Point anchor, double angleRadians) {
    TextAttributes attributes;
    attributes.font = font;
    attributes.foregroundColor = color;
    drawTextAligned(context, value, point, align, attributes, anchor, angleRadians);
}

void BarChartRenderer::drawValues(GraphicsContext& context) {
    auto* provider = dataProvider();
    const auto barData = provider ? provider->barData() : nullptr;
    if (!barData || barData->dataSetCount() < 1 || !isDrawingValuesAllowed(provider))
        return;
    const bool horizontal = barsAreHorizontal();
    const bool aboveBar = provider->isDrawValueAboveBarEnabled();
    constexpr double valueOffsetPlus = 5.0;
    const ViewPortHandler& vph = *viewPortHandler();
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    const auto dataSets = barData->dataSets();

    for (std::size_t i = 0; i < dataSets.size() && i < buffers_.size(); ++i) {
        auto* set = dynamic_cast<BarChartDataSetProtocol*>(dataSets[i].get());
        if (!set || !shouldDrawValues(*set))
            continue;
        const auto trans = provider->getTransformerForAxis(set->axisDependency());
        if (!trans)
            continue;
        const double angle = set->valueLabelAngle() * std::numbers::pi / 180.0;
        const bool isInverted = provider->isInverted(set->axisDependency());
        const QFont font = set->valueFont();
        const double fontHeight = textMeasurer().boundingRectForFont(font).size.height;
        const auto formatter = set->valueFormatter();
        const Point iconsOffset = set->iconsOffset();
        const std::vector<Rect>& rects = buffers_[i].rects;
        const long long count = animatedCount(*set);
        // Pixel values run against the values vertically: an upright chart mirrors the offsets
        // as an inverted axis does.
        const bool mirrored = horizontal ? isInverted : !isInverted;

        // The pixel coordinate of a value along the direction in which the bars grow.
        const auto valuePixel = [&](double value) {
            const Point p = horizontal ? trans->pixelForValues(value * phaseY, 0)
                                       : trans->pixelForValues(0, value * phaseY);
            return horizontal ? p.x : p.y;
        };
        enum class Place { draw, skip, end };
        // `along` lies in the value direction, `across` in the x direction.
        const auto place = [&](double along, double across) {
            if (horizontal) {
                if (!vph.isInBoundsTop(across))
                    return Place::end;
                if (!vph.isInBoundsX(along) || !vph.isInBoundsBottom(across))
                    return Place::skip;
            } else {
                if (!vph.isInBoundsRight(across))
                    return Place::end;
                if (!vph.isInBoundsY(along) || !vph.isInBoundsLeft(across))
                    return Place::skip;
            }
            return Place::draw;
        };
        // Draws the label of one value at `end` (the pixel of the bar's value end), centred on
        // `middle` across the bar; false when the data set's labels end here.
        const auto drawLabel = [&](double value, const std::shared_ptr<BarChartDataEntry>& entry,
                                   int entryIndex, double end, bool below, double middle,
                                   double testAlong, double testAcross) {
            const QString text =
                formatter->stringForValue(value, entry, int(i), viewPortHandler().get());
            TextAttributes attributes;
            attributes.font = font;
            const double width = textMeasurer().size(text, attributes).width;
            const double extent = horizontal ? width : fontHeight;
            double posOffset = aboveBar ? valueOffsetPlus : -(extent + valueOffsetPlus);
            double negOffset = aboveBar ? -(extent + valueOffsetPlus) : valueOffsetPlus;
            if (mirrored) {
                posOffset = -posOffset - extent;
                negOffset = -negOffset - extent;
            }
            const double along = end + (below ? negOffset : posOffset);
            const Place where = place(std::isnan(testAlong) ? along : testAlong, testAcross);
            if (where != Place::draw)
                return where;
            const double acrossOffset = horizontal ? -0.5 * fontHeight : -0.5 * width;
            if (set->isDrawValuesEnabled()) {
                const Point at = horizontal ? Point{along, middle + acrossOffset}
                                            : Point{middle + acrossOffset, along};
                drawValue(context, text, at, font, TextAlignment::left,
                          set->valueTextColorAt(entryIndex), Point{0, 0}, angle);
            }
            if (entry->icon() && set->isDrawIconsEnabled()) {
                const QImage& icon = *entry->icon();
                const Point at = horizontal ? Point{along, middle} : Point{middle, along};
                drawImageCentred(context, icon,
                                 Point{at.x + iconsOffset.x, at.y + iconsOffset.y},
                                 platform::Size{icon.deviceIndependentSize().width(),
                                                icon.deviceIndependentSize().height()});
            }
            return Place::draw;
        };
        const auto middleOf = [&](const Rect& r) { return horizontal ? r.midY() : r.midX(); };
        constexpr double none = std::numeric_limits<double>::quiet_NaN();

        if (!set->isStacked()) {
            for (long long j = 0; j < count && std::size_t(j) < rects.size(); ++j) {
                const auto entry = barEntry(*set, j);
                if (!entry)
                    continue;
                const Rect& rect = rects[std::size_t(j)];
                const double val = entry->y();
                const double end = valuePixel(val);
                const double testAlong = horizontal ? rect.origin.x : end;
                const double testAcross = horizontal ? rect.origin.y : rect.midX();
                if (drawLabel(val, entry, int(j), end, val < 0, middleOf(rect), testAlong,
                              testAcross) == Place::end)
                    break;
            }
            continue;
        }

        std::size_t bufferIndex = 0;
        for (long long k = 0; k < count && bufferIndex < rects.size(); ++k) {
            const auto entry = barEntry(*set, k);
            if (!entry)
                continue;
            const Rect& rect = rects[bufferIndex];
            const auto& vals = entry->yValues();
            if (!vals) {
                const double val = entry->y();
                const double end = valuePixel(val);
                // Horizontal bars centre this label on the rectangle's upper edge.
                const double middle = horizontal ? rect.origin.y : rect.midX();
                const double testAlong = horizontal ? rect.origin.x : end;
                const double testAcross = horizontal ? rect.origin.y : rect.midX();
                if (drawLabel(val, entry, int(k), end, val < 0, middle, testAlong, testAcross) ==
                    Place::end)
                    break;
                bufferIndex += 1;
                continue;
            }
            // The outer end of each piece.
            std::vector<double> ends;
            ends.reserve(vals->size());
            double posY = 0;
            double negY = -entry->negativeSum();
            for (const double v : *vals) {
                double y;
                if (v == 0 && (posY == 0 || negY == 0)) {
                    y = v;
                } else if (v >= 0) {
                    posY += v;
                    y = posY;
                } else {
                    y = negY;
                    negY -= v;
                }
                ends.push_back(valuePixel(y));
            }
            const double middle = middleOf(rect);
            for (std::size_t n = 0; n < vals->size(); ++n) {
                const double val = (*vals)[n];
                const bool drawBelow = (val == 0 && negY == 0 && posY > 0) || val < 0;
                if (drawLabel(val, entry, int(k), ends[n], drawBelow, middle,
                              horizontal ? none : ends[n], middle) == Place::end)
                    break;
            }
            bufferIndex += vals->size();
        }
    }
}

// ---- highlights ----

Rect BarChartRenderer::highlightRect(double x, double y1, double y2, double barWidthHalf,
                                     const Transformer& trans) const {
    Rect r(x - barWidthHalf, y1, 2 * barWidthHalf, y2 - y1);
    trans.rectToPixel(r, animator() ? animator()->phaseY() : 1.0);
    return r;
}

void BarChartRenderer::setHighlightDrawPosition(Highlight& high, const Rect& bar) const {
    high.setDraw(bar.midX(), bar.origin.y);
}

void BarChartRenderer::drawHighlighted(GraphicsContext& context, const Highlights& indices) {
    auto* provider = dataProvider();
    const auto barData = provider ? provider->barData() : nullptr;
    if (!barData)
        return;
    context.saveGState();
    for (const auto& high : indices) {
        if (!high)
            continue;
        const auto set = std::dynamic_pointer_cast<BarChartDataSetProtocol>(
            barData->dataSetAtIndex(high->dataSetIndex()));
        if (!set || !set->isHighlightEnabled())
            continue;
        const auto entry = std::dynamic_pointer_cast<BarChartDataEntry>(
            set->entryForXValue(high->x(), high->y()));
        if (!entry || !isInBoundsX(entry, *set))
            continue;
        const auto trans = provider->getTransformerForAxis(set->axisDependency());
        if (!trans)
            continue;
        context.setFillColor(set->highlightColor());
        context.setAlpha(set->highlightAlpha());

        double y1 = entry->y();
        double y2 = 0;
        if (high->stackIndex() >= 0 && entry->isStacked()) {
            if (provider->isHighlightFullBarEnabled()) {
                y1 = entry->positiveSum();
                y2 = -entry->negativeSum();
            } else {
                const auto& ranges = entry->ranges();
                if (!ranges || std::size_t(high->stackIndex()) >= ranges->size())
                    continue;
                const auto& range = (*ranges)[std::size_t(high->stackIndex())];
                y1 = range->from();
                y2 = range->to();
            }
        }
        const Rect bar = highlightRect(entry->x(), y1, y2, barData->barWidth() / 2.0, *trans);
        setHighlightDrawPosition(*high, bar);
        context.fillRect(bar);
    }
    context.restoreGState();
}

} // namespace charting
