#include "Charting/renderers/RadarChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/RadarChartData.h"
#include "Charting/data/RadarChartDataEntry.h"
#include "Charting/data/RadarChartDataSetProtocol.h"
#include "Charting/formatters/ChartAxisValueFormatter.h"
#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/Fill.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/views/RadarChartView.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace charting {

using platform::Point;

std::shared_ptr<RadarChartRenderer>
RadarChartRenderer::create(RadarChartView* chart, std::shared_ptr<Animator> animator,
                           std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<RadarChartRenderer>(chart, std::move(animator),
                                                std::move(viewPortHandler));
}

RadarChartRenderer::RadarChartRenderer(RadarChartView* chart, std::shared_ptr<Animator> animator,
                                       std::shared_ptr<ViewPortHandler> viewPortHandler)
    : LineRadarRenderer(std::move(animator), std::move(viewPortHandler)), chart_(chart) {}

void RadarChartRenderer::setChart(RadarChartView* chart) { chart_ = chart; }

static std::shared_ptr<RadarChartData> radarData(RadarChartView* chart) {
    return chart ? std::dynamic_pointer_cast<RadarChartData>(chart->data()) : nullptr;
}

static int largestEntryCount(const ChartData& data) {
    const auto largest = data.maxEntryCountSet();
    return largest ? std::max(0, largest->entryCount()) : 0;
}

Point RadarChartRenderer::entryPoint(double value, double index, double phaseX, double phaseY) {
    RadarChartView* view = chart();
    return view->getPosition(view->centerOffsets(),
                             (value - view->chartYMin()) * view->factor() * phaseY,
                             view->sliceAngle() * index * phaseX + view->rotationAngle());
}

const QStringList& RadarChartRenderer::accessibilityXLabels() {
    RadarChartView* view = chart();
    const auto data = view ? view->data() : nullptr;
    const int count = data ? largestEntryCount(*data) : 0;
    if (!accessibilityXLabels_ || labelledData_ != data.get() || labelledCount_ != count) {
        labelledData_ = data.get();
        labelledCount_ = count;
        QStringList labels;
        if (view && data) {
            const auto axis = view->xAxis();
            if (const auto formatter = axis->valueFormatter()) {
                for (int i = 0; i < count; ++i)
                    labels.push_back(formatter->stringForValue(double(i), axis.get()));
            }
        }
        accessibilityXLabels_ = labels;
    }
    return *accessibilityXLabels_;
}

void RadarChartRenderer::drawData(GraphicsContext& context) {
    const auto data = radarData(chart());
    if (!data)
        return;
    const int mostEntries = largestEntryCount(*data);
    elements().clear();
    elements().push_back(createAccessibleHeader(*chart(), *data, QStringLiteral("Radar Chart")));
    for (const auto& set : data->dataSets()) {
        auto* dataSet = dynamic_cast<const RadarChartDataSetProtocol*>(set.get());
        if (dataSet && dataSet->isVisible())
            drawDataSet(context, *dataSet, mostEntries);
    }
}

void RadarChartRenderer::drawDataSet(GraphicsContext& context,
                                     const RadarChartDataSetProtocol& dataSet, int mostEntries) {
    RadarChartView* view = chart();
    const auto data = radarData(view);
    if (!data)
        return;
    context.saveGState();
    const double phaseX = animator() ? animator()->phaseX() : 1.0;
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    const Point center = view->centerOffsets();
    const int entryCount = dataSet.entryCount();
    Path path;
    bool moved = false;

    const QString prefix = data->accessibilityEntryLabelPrefix().value_or(QStringLiteral("Item"));
    const QString suffix = data->accessibilityEntryLabelSuffix().value_or(QString());
    const QString description = dataSet.label().value_or(QString());

    // The entries in the order they are read out: largest value first.
    struct Spoke {
        QString label;
        double value;
        int index;
    };
    std::vector<Spoke> spokes;
    const QStringList& xLabels = accessibilityXLabels();
    for (int j = 0; j < entryCount && j < xLabels.size(); ++j) {
        const auto entry = dataSet.entryForIndex(j);
        spokes.push_back({xLabels[j], entry ? entry->y() : 0.0, j});
    }
    std::stable_sort(spokes.begin(), spokes.end(),
                     [](const Spoke& a, const Spoke& b) { return a.value > b.value; });
    const QString setDescription = description + QStringLiteral(". ") +
                                   QString::number(entryCount) + QStringLiteral(" ") + prefix +
                                   (entryCount == 1 ? QString() : QStringLiteral("s")) +
                                   QStringLiteral(". ");

    AccessibilityElements entryElements;
    for (int j = 0; j < entryCount; ++j) {
        const auto entry = dataSet.entryForIndex(j);
        if (!entry)
            continue;
        const Point p = entryPoint(entry->y(), j, phaseX, phaseY);
        if (std::isnan(p.x))
            continue;
        if (moved)
            path.addLineTo(p);
        else {
            path.moveTo(p);
            moved = true;
        }
        if (std::size_t(j) < spokes.size()) {
            const Spoke& spoke = spokes[std::size_t(j)];
            auto element = NSUIAccessibilityElement::create(view);
            element->setElementLabel(description + QStringLiteral(" - ") + spoke.label +
                                     QStringLiteral(": ") + QString::number(spoke.value) +
                                     QStringLiteral(" ") + suffix);
            const Point at = entryPoint(spoke.value, spoke.index, phaseX, phaseY);
            element->setElementFrame(platform::Rect{{at.x - 22, at.y - 22}, {44, 44}});
            entryElements.push_back(element);
        }
    }
    if (entryCount < mostEntries)
        path.addLineTo(center);
    path.closeSubpath();

    if (dataSet.isDrawFilledEnabled()) {
        if (const auto fill = dataSet.fill())
            drawFilledPathWithFill(context, path, *fill, dataSet.fillAlpha());
        else
            drawFilledPathWithColor(context, path, dataSet.fillColor(), dataSet.fillAlpha());
    }
    if (!dataSet.isDrawFilledEnabled() || dataSet.fillAlpha() < 1.0) {
        context.setStrokeColor(dataSet.colorAtIndex(0));
        context.setLineWidth(dataSet.lineWidth());
        context.setAlpha(1.0);
        context.beginPath();
        context.addPath(path);
        context.strokePath();

        auto header = NSUIAccessibilityElement::create(view);
        header->setElementLabel(setDescription);
        header->setIsHeader(true);
        header->setRole(AccessibilityRole::staticText);
        header->setElementFrame(path.boundingBox());
        elements().push_back(header);
        elements().insert(elements().end(), entryElements.begin(), entryElements.end());
    }
    context.restoreGState();
}

void RadarChartRenderer::drawWeb(GraphicsContext& context) {
    RadarChartView* view = chart();
    const auto data = view ? view->data() : nullptr;
    if (!data)
        return;
    const double sliceAngle = view->sliceAngle();
    const double factor = view->factor();
    const double rotation = view->rotationAngle();
    const Point center = view->centerOffsets();
    context.saveGState();

    context.setLineWidth(view->webLineWidth());
    context.setStrokeColor(view->webColor());
    context.setAlpha(view->webAlpha());
    const int step = view->skipWebLineCount() + 1;
    const int spokes = largestEntryCount(*data);
    for (int i = 0; i < spokes; i += step) {
        webLineSegmentsBuffer_ = {center, view->getPosition(center, view->yRange() * factor,
                                                            sliceAngle * i + rotation)};
        context.strokeLineSegments({webLineSegmentsBuffer_[0], webLineSegmentsBuffer_[1]});
    }

    context.setLineWidth(view->innerWebLineWidth());
    context.setStrokeColor(view->innerWebColor());
    context.setAlpha(view->webAlpha());
    const double yMin = view->chartYMin();
    const int total = data->entryCount();
    for (const double value : view->yAxis()->entries()) {
        const double r = (value - yMin) * factor;
        for (int i = 0; i < total; ++i) {
            webLineSegmentsBuffer_ = {view->getPosition(center, r, sliceAngle * i + rotation),
                                      view->getPosition(center, r, sliceAngle * (i + 1) + rotation)};
            context.strokeLineSegments({webLineSegmentsBuffer_[0], webLineSegmentsBuffer_[1]});
        }
    }
    context.restoreGState();
}

void RadarChartRenderer::drawExtras(GraphicsContext& context) { drawWeb(context); }

void RadarChartRenderer::drawValues(GraphicsContext& context) {
    RadarChartView* view = chart();
    const auto data = view ? view->data() : nullptr;
    if (!data || data->dataSetCount() == 0)
        return;
    const double phaseX = animator() ? animator()->phaseX() : 1.0;
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    const double sliceAngle = view->sliceAngle();
    const double factor = view->factor();
    const Point center = view->centerOffsets();
    const auto& sets = data->dataSets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        auto* dataSet = dynamic_cast<const RadarChartDataSetProtocol*>(sets[i].get());
        if (!dataSet || !shouldDrawValues(*dataSet))
            continue;
        const double angle = dataSet->valueLabelAngle() * std::numbers::pi / 180.0;
        const QFont font = dataSet->valueFont();
        const double lift = 5.0 + textMeasurer().boundingRectForFont(font).size.height;
        const auto formatter = dataSet->valueFormatter();
        const Point iconsOffset = dataSet->iconsOffset();
        for (int j = 0; j < dataSet->entryCount(); ++j) {
            const auto entry = dataSet->entryForIndex(j);
            if (!entry)
                continue;
            const double spokeAngle = sliceAngle * j * phaseX + view->rotationAngle();
            const Point p = entryPoint(entry->y(), j, phaseX, phaseY);
            if (dataSet->isDrawValuesEnabled() && formatter) {
                const QString text =
                    formatter->stringForValue(entry->y(), entry, int(i), viewPortHandler().get());
                TextAttributes attributes;
                attributes.font = font;
                attributes.foregroundColor = dataSet->valueTextColorAt(j);
                const double width = textMeasurer().size(text, attributes).width;
                const Point at{p.x - width / 2, p.y - lift};
                if (angle == 0)
                    context.drawText(text, at, attributes);
                else
                    drawTextAnchored(context, text, at, attributes, Point{0.5, 0.5}, angle);
            }
            if (entry->icon() && dataSet->isDrawIconsEnabled()) {
                const double d = entry->y() * factor * phaseY + iconsOffset.y;
                Point at = view->getPosition(center, d, spokeAngle);
                at.y += iconsOffset.x;
                const QImage& icon = *entry->icon();
                drawImageCentred(context, icon, at,
                                 platform::Size{icon.deviceIndependentSize().width(),
                                                icon.deviceIndependentSize().height()});
            }
        }
    }
}

void RadarChartRenderer::drawHighlighted(GraphicsContext& context, const Highlights& indices) {
    RadarChartView* view = chart();
    const auto data = radarData(view);
    if (!data)
        return;
    const double phaseX = animator() ? animator()->phaseX() : 1.0;
    const double phaseY = animator() ? animator()->phaseY() : 1.0;
    context.saveGState();
    for (const auto& highlight : indices) {
        if (!highlight || std::isnan(highlight->x()))
            continue;
        const auto set = std::dynamic_pointer_cast<RadarChartDataSetProtocol>(
            data->dataSetAtIndex(highlight->dataSetIndex()));
        if (!set || !set->isHighlightEnabled())
            continue;
        const auto entry = std::dynamic_pointer_cast<RadarChartDataEntry>(
            set->entryForIndex(int(checkedIndex(highlight->x(), -1, set->entryCount()))));
        if (!entry || !isInBoundsX(entry, *set))
            continue;
        context.setLineWidth(data->highlightLineWidth());
        setLineDash(context, data->highlightLineDashPhase(), data->highlightLineDashLengths());
        context.setStrokeColor(set->highlightColor());
        highlightPointBuffer_ = entryPoint(entry->y(), highlight->x(), phaseX, phaseY);
        highlight->setDraw(highlightPointBuffer_);
        drawHighlightLines(context, highlightPointBuffer_, *set);
        if (set->isDrawHighlightCircleEnabled() && !std::isnan(highlightPointBuffer_.x) &&
            !std::isnan(highlightPointBuffer_.y)) {
            QColor stroke = set->highlightCircleStrokeColor().value_or(set->colorAtIndex(0));
            if (set->highlightCircleStrokeAlpha() < 1.0)
                stroke.setAlphaF(float(set->highlightCircleStrokeAlpha()));
            drawHighlightCircle(context, highlightPointBuffer_, set->highlightCircleInnerRadius(),
                                set->highlightCircleOuterRadius(), set->highlightCircleFillColor(),
                                stroke, set->highlightCircleStrokeWidth());
        }
    }
    context.restoreGState();
}

void RadarChartRenderer::drawHighlightCircle(GraphicsContext& context, Point point,
                                             double innerRadius, double outerRadius,
                                             const std::optional<QColor>& fillColor,
                                             const std::optional<QColor>& strokeColor,
                                             double strokeWidth) {
    context.saveGState();
    const auto circle = [&](double r) {
        return platform::Rect{{point.x - r, point.y - r}, {r * 2, r * 2}};
    };
    if (fillColor) {
        context.beginPath();
        context.addEllipse(circle(outerRadius));
        if (innerRadius > 0)
            context.addEllipse(circle(innerRadius));
        context.setFillColor(*fillColor);
        context.fillPath(FillRule::evenOdd);
    }
    if (strokeColor) {
        context.beginPath();
        context.addEllipse(circle(outerRadius));
        context.setStrokeColor(*strokeColor);
        context.setLineWidth(strokeWidth);
        context.strokePath();
    }
    context.restoreGState();
}

} // namespace charting
