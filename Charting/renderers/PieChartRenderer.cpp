#include "Charting/renderers/PieChartRenderer.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/PieChartData.h"
#include "Charting/data/PieChartDataEntry.h"
#include "Charting/data/PieChartDataSetProtocol.h"
#include "Charting/formatters/ChartValueFormatter.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/NSUIAccessibilityElement.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "Charting/views/PieChartView.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>

namespace charting {

using platform::Point;
using platform::Rect;

namespace {
constexpr double kPi = 3.141592653589793;

double radians(double degrees) {
    return degrees * kPi / 180.0;
}

Point onCircle(Point center, double radius, double degrees) {
    return {center.x + radius * std::cos(radians(degrees)),
            center.y + radius * std::sin(radians(degrees))};
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The entries whose value shows as a slice.
int visibleAngleCount(const PieChartDataSetProtocol& set) {
    int count = 0;
    for (int j = 0; j < set.entryCount(); ++j)
        if (const auto entry = set.entryForIndex(j); entry && std::fabs(entry->y()) > DBL_EPSILON)
            ++count;
    return count;
}

bool isDrawnSet(const std::shared_ptr<ChartDataSetProtocol>& set) {
    return set && dynamic_cast<const PieChartDataSetProtocol*>(set.get()) && set->isVisible() &&
           set->entryCount() > 0;
}

Rect circleRect(Point center, double radius) {
    return Rect(center.x - radius, center.y - radius, 2 * radius, 2 * radius);
}
} // namespace

std::shared_ptr<PieChartRenderer>
PieChartRenderer::create(PieChartView* chart, std::shared_ptr<Animator> animator,
                         std::shared_ptr<ViewPortHandler> handler) {
    return std::make_shared<PieChartRenderer>(chart, std::move(animator), std::move(handler));
}

PieChartRenderer::PieChartRenderer(PieChartView* chart, std::shared_ptr<Animator> animator,
                                   std::shared_ptr<ViewPortHandler> handler)
    : animator_(std::move(animator)), viewPortHandler_(std::move(handler)) {
    setChart(chart);
}

PieChartView* PieChartRenderer::chart() const {
    return chartLifetime_.expired() ? nullptr : chart_;
}

void PieChartRenderer::setChart(PieChartView* chart) {
    chart_ = chart;
    chartLifetime_ = chart ? chart->lifetimeToken() : std::weak_ptr<const void>();
}

bool PieChartRenderer::isDrawingValuesAllowed(ChartDataProvider*) {
    auto* view = chart();
    return view && view->data();
}

PieChartRenderer::SetPlace PieChartRenderer::placeOf(const PieChartDataSetProtocol& dataSet) const {
    SetPlace place;
    auto* view = chart();
    const auto d = view ? view->data() : nullptr;
    if (!d)
        return place;
    std::size_t first = 0;
    const auto& sets = d->dataSets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (sets[i].get() == static_cast<const ChartDataSetProtocol*>(&dataSet)) {
            place.dataSetIndex = int(i);
            place.firstAngle = first;
            return place;
        }
        if (sets[i])
            first += std::size_t(std::max(0, sets[i]->entryCount()));
    }
    return place;
}

void PieChartRenderer::drawData(GraphicsContext& context) {
    auto* view = chart();
    const auto d = view ? view->data() : nullptr;
    if (!d)
        return;
    accessibleChartElements_.clear();
    for (const auto& set : d->dataSets())
        if (isDrawnSet(set))
            drawDataSet(context, dynamic_cast<const PieChartDataSetProtocol&>(*set));
}

double PieChartRenderer::calculateMinimumRadiusForSpacedSlice(Point center, double radius,
                                                              double angle, double arcStartPointX,
                                                              double arcStartPointY,
                                                              double startAngle,
                                                              double sweepAngle) {
    const Point arcEnd = onCircle(center, radius, startAngle + sweepAngle);
    const Point arcMiddle = onCircle(center, radius, startAngle + sweepAngle / 2);
    const Point arcStart{arcStartPointX, arcStartPointY};
    const double basePointsDistance = distance(arcStart, arcEnd);
    const double containedTriangleHeight =
        basePointsDistance / 2 * std::tan(radians((180 - angle) / 2));
    const Point chordMiddle{(arcStart.x + arcEnd.x) / 2, (arcStart.y + arcEnd.y) / 2};
    return radius - containedTriangleHeight - distance(arcMiddle, chordMiddle);
}

double PieChartRenderer::getSliceSpace(const PieChartDataSetProtocol& dataSet) {
    const double space = dataSet.sliceSpace();
    if (!dataSet.automaticallyDisableSliceSpacing())
        return space;
    auto* view = chart();
    const auto pie = view ? std::dynamic_pointer_cast<PieChartData>(view->data()) : nullptr;
    if (!pie)
        return space;
    const double spaceSizeRatio =
        space / std::min(viewPortHandler_->contentWidth(), viewPortHandler_->contentHeight());
    const double minValueRatio = dataSet.yMin() / pie->yValueSum() * 2;
    return spaceSizeRatio > minValueRatio ? 0 : space;
}

Path PieChartRenderer::slicePath(const SliceSpec& s) {
    const double startAngleOuter = s.rotation + (s.angle + s.spaceAngleOuter / 2) * s.phaseY;
    const double sweepAngleOuter = std::max(0.0, (s.sliceAngle - s.spaceAngleOuter) * s.phaseY);
    const Point arcStart = onCircle(s.center, s.radius, startAngleOuter);
    const bool accountForSliceSpacing = s.sliceSpace > 0 && s.sliceAngle <= 180;

    Path path;
    path.moveTo(arcStart);
    path.addRelativeArc(s.center, s.radius, radians(startAngleOuter), radians(sweepAngleOuter));
    if (s.drawInnerArc && (s.userInnerRadius > 0 || accountForSliceSpacing)) {
        double innerRadius = s.userInnerRadius;
        if (accountForSliceSpacing) {
            const double minSpacedRadius = std::fabs(calculateMinimumRadiusForSpacedSlice(
                s.center, s.radius, s.sliceAngle * s.phaseY, arcStart.x, arcStart.y,
                startAngleOuter, sweepAngleOuter));
            innerRadius = std::min(s.radius, std::max(s.userInnerRadius, minSpacedRadius));
        }
        const double spaceAngleInner =
            s.singleSlice || innerRadius == 0 ? 0 : s.sliceSpace / (innerRadius * kPi / 180);
        const double startAngleInner = s.rotation + (s.angle + spaceAngleInner / 2) * s.phaseY;
        const double sweepAngleInner = std::max(0.0, (s.sliceAngle - spaceAngleInner) * s.phaseY);
        const double endAngleInner = startAngleInner + sweepAngleInner;
        path.addLineTo(onCircle(s.center, innerRadius, endAngleInner));
        path.addRelativeArc(s.center, innerRadius, radians(endAngleInner),
                            -radians(sweepAngleInner));
    } else if (accountForSliceSpacing) {
        const double angleMiddle = startAngleOuter + sweepAngleOuter / 2;
        const double sliceSpaceOffset = calculateMinimumRadiusForSpacedSlice(
            s.center, s.radius, s.sliceAngle * s.phaseY, arcStart.x, arcStart.y, startAngleOuter,
            sweepAngleOuter);
        path.addLineTo(onCircle(s.center, sliceSpaceOffset, angleMiddle));
    } else {
        path.addLineTo(s.center);
    }
    path.closeSubpath();
    return path;
}

PieChartRenderer::SliceSpec PieChartRenderer::sliceSpecFor(PieChartView& view,
                                                           const PieChartDataSetProtocol& set,
                                                           double outerRadius) {
    const int visibleCount = visibleAngleCount(set);
    const bool drawInnerArc = view.isDrawHoleEnabled() && !view.isDrawSlicesUnderHoleEnabled();
    SliceSpec spec;
    spec.center = view.centerCircleBox();
    spec.radius = outerRadius;
    spec.rotation = view.rotationAngle();
    spec.phaseY = animator_ ? animator_->phaseY() : 1.0;
    spec.sliceSpace = visibleCount >= 2 ? getSliceSpace(set) : 0.0;
    spec.singleSlice = visibleCount == 1;
    spec.drawInnerArc = drawInnerArc;
    spec.userInnerRadius = drawInnerArc ? view.radius() * view.holeRadiusPercent() : 0.0;
    spec.spaceAngleOuter = spec.singleSlice ? 0.0 : spec.sliceSpace / (outerRadius * kPi / 180);
    return spec;
}

void PieChartRenderer::drawDataSet(GraphicsContext& context,
                                   const PieChartDataSetProtocol& dataSet) {
    auto* view = chart();
    if (!view)
        return;
    const double phaseX = animator_ ? animator_->phaseX() : 1.0;
    const int entryCount = dataSet.entryCount();
    const auto drawAngles = view->drawAngles();
    const auto absoluteAngles = view->absoluteAngles();
    const SetPlace place = placeOf(dataSet);

    context.saveGState();
    accessibleChartElements_.push_back(headerElement(dataSet));
    // The view's angles must cover the set (they follow the data; a stale list draws nothing).
    if (entryCount > 0 && place.firstAngle + std::size_t(entryCount) <= drawAngles.size()) {
        SliceSpec spec = sliceSpecFor(*view, dataSet, view->radius());
        // Data sets follow each other round the circle.
        double angle = place.firstAngle > 0 ? absoluteAngles[place.firstAngle - 1] * phaseX : 0.0;
        for (int j = 0; j < entryCount; ++j) {
            const double sliceAngle = drawAngles[place.firstAngle + std::size_t(j)];
            const auto entry = dataSet.entryForIndex(j);
            const bool highlighted = dataSet.isHighlightEnabled() && view->needsHighlight(j);
            if (entry && std::fabs(entry->y()) >= DBL_EPSILON && !highlighted) {
                spec.angle = angle;
                spec.sliceAngle = sliceAngle;
                const Path path = slicePath(spec);
                context.setFillColor(dataSet.colorAtIndex(j));
                context.beginPath();
                context.addPath(path);
                context.fillPath(FillRule::evenOdd);
                accessibleChartElements_.push_back(
                    sliceElement(j, dataSet, place.dataSetIndex, path));
            }
            angle += sliceAngle * phaseX;
        }
    }
    context.restoreGState();
}

void PieChartRenderer::drawHighlighted(GraphicsContext& context, const Highlights& indices) {
    auto* view = chart();
    const auto d = view ? view->data() : nullptr;
    if (!d)
        return;
    const double phaseX = animator_ ? animator_->phaseX() : 1.0;
    const auto drawAngles = view->drawAngles();
    const auto absoluteAngles = view->absoluteAngles();

    context.saveGState();
    for (const auto& highlight : indices) {
        if (!highlight || !std::isfinite(highlight->x()))
            continue;
        const auto set = d->dataSetAtIndex(highlight->dataSetIndex());
        const auto* pie = dynamic_cast<const PieChartDataSetProtocol*>(set.get());
        if (!pie || !set->isVisible() || !set->isHighlightEnabled())
            continue;
        const int index = int(checkedIndex(highlight->x(), -1, std::numeric_limits<int>::max()));
        const auto entry = set->entryForIndex(index);
        const SetPlace place = placeOf(*pie);
        const std::size_t k = place.firstAngle + std::size_t(std::max(0, index));
        if (!entry || k >= drawAngles.size() || std::fabs(entry->y()) < DBL_EPSILON)
            continue;
        SliceSpec spec = sliceSpecFor(*view, *pie, view->radius() + pie->selectionShift());
        spec.angle = (k > 0 ? absoluteAngles[k - 1] : 0.0) * phaseX;
        spec.sliceAngle = drawAngles[k];
        const Path path = slicePath(spec);

        context.setFillColor(pie->highlightColor().value_or(set->colorAtIndex(index)));
        context.beginPath();
        context.addPath(path);
        context.fillPath(FillRule::evenOdd);

        auto element = sliceElement(index, *pie, highlight->dataSetIndex(), path);
        element->setIsSelected(true);
        accessibleChartElements_.push_back(element);
    }
    context.restoreGState();
}

QString PieChartRenderer::valueText(const PieChartDataSetProtocol& set, int dataSetIndex,
                                    const std::shared_ptr<ChartDataEntry>& entry) {
    auto* view = chart();
    double value = entry->y();
    if (view && view->isUsePercentValuesEnabled()) {
        const auto pie = view->pieData();
        value = value / (pie ? pie->yValueSum() : 0.0) * 100;
    }
    const auto formatter = set.valueFormatter();
    if (!formatter)
        return QString::number(value);
    return formatter->stringForValue(value, entry, dataSetIndex, viewPortHandler_.get());
}

void PieChartRenderer::drawValues(GraphicsContext& context) {
    auto* view = chart();
    const auto d = view ? view->data() : nullptr;
    if (!d)
        return;
    const double phaseX = animator_ ? animator_->phaseX() : 1.0;
    const double phaseY = animator_ ? animator_->phaseY() : 1.0;
    const auto drawAngles = view->drawAngles();
    const auto absoluteAngles = view->absoluteAngles();
    const Point center = view->centerCircleBox();
    const double radius = view->radius();
    const double rotation = view->rotationAngle();
    // Inside texts sit half-way across the ring, or 0.36 of the radius in from the rim.
    const double labelRadius =
        radius - (view->isDrawHoleEnabled() ? (radius - radius * view->holeRadiusPercent()) / 2
                                            : radius / 10 * 3.6);
    const bool drawEntryLabels = view->isDrawEntryLabelsEnabled();

    context.saveGState();
    const auto& sets = d->dataSets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (!isDrawnSet(sets[i]))
            continue;
        const auto& set = dynamic_cast<const PieChartDataSetProtocol&>(*sets[i]);
        const bool drawValues = set.isDrawValuesEnabled();
        if (!drawValues && !drawEntryLabels)
            continue;
        const SetPlace place = placeOf(set);
        if (place.firstAngle + std::size_t(set.entryCount()) > drawAngles.size())
            continue;
        using Position = PieChartDataSetProtocol::ValuePosition;
        TextAttributes labelAttributes;
        labelAttributes.font =
            set.entryLabelFont().value_or(view->entryLabelFont().value_or(set.valueFont()));
        labelAttributes.foregroundColor =
            set.entryLabelColor().value_or(view->entryLabelColor().value_or(QColor(Qt::white)));
        const double lineHeight = textMeasurer().boundingRectForFont(set.valueFont()).size.height;

        double angle = place.firstAngle > 0 ? absoluteAngles[place.firstAngle - 1] * phaseX : 0.0;
        for (int j = 0; j < set.entryCount(); ++j) {
            const double sliceAngle = drawAngles[place.firstAngle + std::size_t(j)];
            const double start = angle;
            angle += sliceAngle * phaseX;
            const auto entry = set.entryForIndex(j);
            if (!entry || std::fabs(entry->y()) < DBL_EPSILON ||
                sliceAngle < view->sliceTextDrawingThreshold())
                continue;
            const double middle = rotation + (start + sliceAngle / 2) * phaseY;
            const double c = std::cos(radians(middle)), s = std::sin(radians(middle));

            TextAttributes valueAttributes;
            valueAttributes.font = set.valueFont();
            valueAttributes.foregroundColor = set.valueTextColorAt(j);
            const QString value = drawValues ? valueText(set, int(i), entry) : QString();
            QString label;
            if (const auto pieEntry = std::dynamic_pointer_cast<PieChartDataEntry>(entry);
                drawEntryLabels && pieEntry && pieEntry->label())
                label = *pieEntry->label();

            const bool valueOutside = drawValues && set.yValuePosition() == Position::outside;
            const bool labelOutside = !label.isEmpty() && set.xValuePosition() == Position::outside;
            const bool valueInside = drawValues && !valueOutside;
            const bool labelInside = !label.isEmpty() && !labelOutside;

            if (valueOutside || labelOutside) {
                // A radial part from inside the slice out past the rim, then a level part.
                double part1 = radius * set.valueLinePart1Length();
                if (set.valueLineVariableLength())
                    part1 *= std::fabs(s);
                const Point p0{center.x + radius * set.valueLinePart1OffsetPercentage() * c,
                               center.y + radius * set.valueLinePart1OffsetPercentage() * s};
                const Point p1{center.x + (radius + part1) * c, center.y + (radius + part1) * s};
                const double side = c >= 0 ? 1.0 : -1.0;
                const Point p2{p1.x + side * radius * set.valueLinePart2Length(), p1.y};
                const auto lineColor = set.useValueColorForLine()
                                           ? std::optional<QColor>(set.colorAtIndex(j))
                                           : set.valueLineColor();
                if (lineColor && set.valueLineWidth() > 0) {
                    context.setStrokeColor(*lineColor);
                    context.setLineWidth(set.valueLineWidth());
                    context.beginPath();
                    context.addLines({p0, p1, p2});
                    context.strokePath();
                }
                const Point at{p2.x + side * 5, p2.y};
                const Point anchor{side > 0 ? 0.0 : 1.0, 0.5};
                if (valueOutside && labelOutside) {
                    drawTextAnchored(context, value, {at.x, at.y - lineHeight / 2}, valueAttributes,
                                     anchor, 0);
                    drawTextAnchored(context, label, {at.x, at.y + lineHeight / 2}, labelAttributes,
                                     anchor, 0);
                } else if (valueOutside) {
                    drawTextAnchored(context, value, at, valueAttributes, anchor, 0);
                } else {
                    drawTextAnchored(context, label, at, labelAttributes, anchor, 0);
                }
            }
            const Point inside{center.x + labelRadius * c, center.y + labelRadius * s};
            if (valueInside && labelInside) {
                drawTextAnchored(context, value, {inside.x, inside.y - lineHeight / 2},
                                 valueAttributes, {0.5, 0.5}, 0);
                drawTextAnchored(context, label, {inside.x, inside.y + lineHeight / 2},
                                 labelAttributes, {0.5, 0.5}, 0);
            } else if (valueInside) {
                drawTextAnchored(context, value, inside, valueAttributes, {0.5, 0.5}, 0);
            } else if (labelInside) {
                drawTextAnchored(context, label, inside, labelAttributes, {0.5, 0.5}, 0);
            }
        }
    }
    context.restoreGState();
}

void PieChartRenderer::drawExtras(GraphicsContext& context) {
    drawHole(context);
    drawCenterText(context);
}

void PieChartRenderer::drawHole(GraphicsContext& context) {
    auto* view = chart();
    if (!view || !view->isDrawHoleEnabled())
        return;
    const Point center = view->centerCircleBox();
    const double radius = view->radius();
    const double holeRadius = radius * view->holeRadiusPercent();
    context.saveGState();
    if (const auto hole = view->holeColor(); hole && hole->alpha() > 0 && holeRadius > 0) {
        context.setFillColor(*hole);
        context.fillEllipse(circleRect(center, holeRadius));
    }
    // The ring between the hole and the transparent circle, faded in with the animation.
    const auto ring = view->transparentCircleColor();
    const double ringRadius = radius * view->transparentCircleRadiusPercent();
    if (ring && ring->alpha() > 0 && ringRadius > holeRadius) {
        const double phase = animator_ ? animator_->phaseX() * animator_->phaseY() : 1.0;
        QColor color = *ring;
        color.setAlphaF(float(ring->alphaF() * phase));
        Path path;
        path.addEllipse(circleRect(center, ringRadius));
        path.addEllipse(circleRect(center, holeRadius));
        context.setFillColor(color);
        context.beginPath();
        context.addPath(path);
        context.fillPath(FillRule::evenOdd);
    }
    context.restoreGState();
}

void PieChartRenderer::drawCenterText(GraphicsContext& context) {
    auto* view = chart();
    if (!view || !view->isDrawCenterTextEnabled())
        return;
    const auto text = view->centerAttributedText();
    if (!text || text->string.isEmpty())
        return;
    const Point offset = view->centerTextOffset();
    const Point box = view->centerCircleBox();
    const Point center{box.x + offset.x, box.y + offset.y};
    const double radius = view->radius();
    const double innerRadius = view->isDrawHoleEnabled() && !view->isDrawSlicesUnderHoleEnabled()
                                   ? radius * view->holeRadiusPercent()
                                   : radius;
    Rect bounds = circleRect(center, innerRadius);
    if (view->centerTextRadiusPercent() > 0) {
        const double inset = bounds.size.width * (1 - view->centerTextRadiusPercent()) / 2;
        bounds = bounds.insetBy(inset, inset);
    }
    const Rect measured = textMeasurer().boundingRect(text->string, bounds.size, text->attributes);
    const double height = std::min(measured.size.height, bounds.size.height);
    const Rect drawBox(bounds.origin.x, bounds.origin.y + (bounds.size.height - height) / 2,
                       bounds.size.width, height);
    context.saveGState();
    context.beginPath();
    context.addEllipse(circleRect(center, innerRadius));
    context.clip();
    context.drawText(text->string, drawBox, text->attributes);
    context.restoreGState();
}

std::shared_ptr<NSUIAccessibilityElement>
PieChartRenderer::headerElement(const PieChartDataSetProtocol& set) {
    auto* view = chart();
    const auto d = view->data();
    const QString prefix =
        (d ? d->accessibilityEntryLabelPrefix() : std::nullopt).value_or(QStringLiteral("Element"));
    QString description = QStringLiteral("Pie Chart");
    if (const auto text = view->chartDescriptionText())
        description = *text;
    else if (const auto label = set.label())
        description = *label;
    else if (const auto centre = view->centerText())
        description = *centre;
    const int count = set.entryCount();
    auto element = NSUIAccessibilityElement::create(view);
    element->setElementLabel(description + QStringLiteral(". ") + QString::number(count) +
                             QStringLiteral(" ") + prefix +
                             (count == 1 ? QString() : QStringLiteral("s")));
    element->setElementFrame(view->bounds());
    element->setIsHeader(true);
    element->setRole(AccessibilityRole::staticText);
    return element;
}

std::shared_ptr<NSUIAccessibilityElement>
PieChartRenderer::sliceElement(int index, const PieChartDataSetProtocol& set, int dataSetIndex,
                               const Path& path) {
    auto* view = chart();
    auto element = NSUIAccessibilityElement::create(view);
    const auto entry = set.entryForIndex(index);
    const auto pie = view ? view->pieData() : nullptr;
    if (!entry || !pie)
        return element;
    QString name;
    if (const auto prefix = pie->accessibilityEntryLabelPrefix())
        name = *prefix + QString::number(index + 1);
    else if (const auto pieEntry = std::dynamic_pointer_cast<PieChartDataEntry>(entry);
             pieEntry && pieEntry->label())
        name = *pieEntry->label();
    QString suffix = pie->accessibilityEntryLabelSuffix().value_or(QString());
    if (pie->accessibilityEntryLabelSuffixIsCount() && entry->y() != 1)
        suffix += QStringLiteral("s");
    element->setElementLabel(name + QStringLiteral(" : ") + valueText(set, dataSetIndex, entry) +
                             QStringLiteral(" ") + suffix);
    element->setElementFrame(path.boundingBox());
    return element;
}

} // namespace charting
