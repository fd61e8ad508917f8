#include "Charting/views/PieChartView.h"

#include "Charting/components/Legend.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/PieChartData.h"
#include "Charting/data/PieChartDataSetProtocol.h"
#include "Charting/highlight/PieHighlighter.h"
#include "Charting/renderers/DataRenderer.h"
#include "Charting/renderers/LegendRenderer.h"
#include "Charting/renderers/PieChartRenderer.h"
#include "Charting/utils/ChartDefaults.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace charting {

using platform::Point;

namespace {
// Whether the renderer draws a data set: a visible pie data set with entries.
bool isDrawn(const std::shared_ptr<ChartDataSetProtocol>& set) {
    return set && dynamic_cast<const PieChartDataSetProtocol*>(set.get()) && set->isVisible() &&
           set->entryCount() > 0;
}

// A value's share of the pie: its magnitude, nothing for a value that is not finite.
double magnitude(double y) {
    return std::isfinite(y) ? std::fabs(y) : 0.0;
}
} // namespace

PieChartView::PieChartView(QWidget* parent) : PieRadarChartViewBase(parent) {
    QFont font(QStringLiteral("Helvetica Neue"));
    font.setPointSizeF(13);
    entryLabelFont_ = font;
    initialize();
}

void PieChartView::initialize() {
    PieRadarChartViewBase::initialize();
    setRenderer(PieChartRenderer::create(this, chartAnimator(), viewPortHandler()));
    setHighlighter(PieHighlighter::create(this));
}

std::shared_ptr<XAxis> PieChartView::xAxis() {
    platform::fatal("PieChart has no XAxis");
}

void PieChartView::setXAxis(std::shared_ptr<XAxis>) {
    platform::fatal("PieChart has no XAxis");
}

std::shared_ptr<PieChartData> PieChartView::pieData() {
    return std::dynamic_pointer_cast<PieChartData>(data());
}

void PieChartView::computeSliceAngles() {
    drawAngles_.clear();
    absoluteAngles_.clear();
    const auto d = data();
    if (!d)
        return;
    if (!std::dynamic_pointer_cast<PieChartData>(d))
        platform::fatal("PieChartView draws only PieChartData");
    const auto count = std::size_t(std::max(0, d->entryCount()));
    drawAngles_.reserve(count);
    absoluteAngles_.reserve(count);

    double sum = 0;
    for (const auto& set : d->dataSets()) {
        if (!isDrawn(set))
            continue;
        for (int j = 0; j < set->entryCount(); ++j)
            if (const auto entry = set->entryForIndex(j))
                sum += magnitude(entry->y());
    }
    const double max = maxAngle_;
    for (const auto& set : d->dataSets()) {
        if (!set)
            continue;
        const bool drawn = isDrawn(set);
        for (int j = 0; j < set->entryCount(); ++j) {
            const auto entry = set->entryForIndex(j);
            if (!entry)
                continue;
            const double angle = drawn && sum > 0 ? magnitude(entry->y()) / sum * max : 0.0;
            drawAngles_.push_back(angle);
            const double previous = absoluteAngles_.empty() ? 0.0 : absoluteAngles_.back();
            absoluteAngles_.push_back(std::min(previous + angle, max));
        }
    }
}

Point PieChartView::centerCircleBox() const {
    return {circleBox_.midX(), circleBox_.midY()};
}

bool PieChartView::isHalfPie() {
    const auto content = viewPortHandler()->contentRect();
    return maxAngle_ <= 180 && content.size.width > content.size.height;
}

double PieChartView::effectiveRadius() {
    return isHalfPie() ? diameter() : diameter() * 0.5;
}

Point PieChartView::effectiveCenter() {
    Point c = centerOffsets();
    if (isHalfPie())
        c.y += effectiveRadius() * 0.5;
    return c;
}

double PieChartView::angleForPoint(double x, double y) {
    return PieRadarChartViewBase::angleForPoint(x, y, effectiveCenter());
}

double PieChartView::distanceToCenter(double x, double y) {
    return PieRadarChartViewBase::distanceToCenter(x, y, effectiveCenter());
}

int PieChartView::indexForAngle(double angle) {
    const double difference = angle - rotationAngle();
    double a = std::fmod(difference, 360.0);
    if (std::signbit(difference))
        a += 360.0;
    for (std::size_t i = 0; i < absoluteAngles_.size(); ++i)
        if (absoluteAngles_[i] > a)
            return int(i);
    return -1;
}

double PieChartView::requiredLegendOffset() {
    return legend()->font().pointSizeF() * 2.0;
}

bool PieChartView::needsHighlight(int index) const {
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    for (const auto& highlight : highlighted()) {
        const double x = highlight->x();
        // An x that is not a number within the integer range names no slice.
        if (!(x > lowest - 1.0 && x < highest + 1.0))
            continue;
        if (checkedIndex(x, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()) ==
            index)
            return true;
    }
    return false;
}

int PieChartView::dataSetIndexForIndex(double xValue) {
    const auto d = data();
    if (!d)
        return -1;
    const auto& sets = d->dataSets();
    for (std::size_t i = 0; i < sets.size(); ++i)
        if (sets[i] && sets[i]->entryForXValue(xValue, std::nan("")))
            return int(i);
    return -1;
}

void PieChartView::setHoleColor(std::optional<QColor> color) {
    holeColor_ = color;
    redraw();
}

void PieChartView::setDrawSlicesUnderHoleEnabled(bool enabled) {
    drawSlicesUnderHoleEnabled_ = enabled;
    redraw();
}

void PieChartView::setDrawHoleEnabled(bool enabled) {
    drawHoleEnabled_ = enabled;
    redraw();
}

std::optional<QString> PieChartView::centerText() const {
    if (!centerAttributedText_)
        return std::nullopt;
    return centerAttributedText_->string;
}

void PieChartView::setCenterText(std::optional<QString> text) {
    if (!text) {
        setCenterAttributedText(std::nullopt);
        return;
    }
    AttributedText attributed;
    attributed.string = *text;
    attributed.attributes.foregroundColor = labelTextColor();
    attributed.attributes.font = systemFont(12);
    attributed.attributes.paragraphStyle.lineBreakMode = LineBreakMode::byTruncatingTail;
    attributed.attributes.paragraphStyle.alignment = TextAlignment::center;
    setCenterAttributedText(std::move(attributed));
}

void PieChartView::setCenterAttributedText(std::optional<AttributedText> text) {
    centerAttributedText_ = std::move(text);
    redraw();
}

void PieChartView::setCenterTextOffset(Point offset) {
    centerTextOffset_ = offset;
    redraw();
}

void PieChartView::setDrawCenterTextEnabled(bool enabled) {
    drawCenterTextEnabled_ = enabled;
    redraw();
}

void PieChartView::setHoleRadiusPercent(double percent) {
    holeRadiusPercent_ = percent;
    redraw();
}

void PieChartView::setTransparentCircleColor(std::optional<QColor> color) {
    transparentCircleColor_ = color;
    redraw();
}

void PieChartView::setTransparentCircleRadiusPercent(double percent) {
    transparentCircleRadiusPercent_ = percent;
    redraw();
}

void PieChartView::setEntryLabelColor(std::optional<QColor> color) {
    entryLabelColor_ = color;
    redraw();
}

void PieChartView::setEntryLabelFont(std::optional<QFont> font) {
    entryLabelFont_ = std::move(font);
    redraw();
}

void PieChartView::setDrawEntryLabelsEnabled(bool enabled) {
    drawEntryLabelsEnabled_ = enabled;
    redraw();
}

void PieChartView::setUsePercentValuesEnabled(bool enabled) {
    usePercentValuesEnabled_ = enabled;
    redraw();
}

void PieChartView::setCenterTextRadiusPercent(double percent) {
    centerTextRadiusPercent_ = percent;
    redraw();
}

void PieChartView::setMaxAngle(double angle) {
    maxAngle_ = angle;
    if (maxAngle_ > 360)
        maxAngle_ = 360;
    if (maxAngle_ < 90)
        maxAngle_ = 90;
}

void PieChartView::setSliceTextDrawingThreshold(double threshold) {
    sliceTextDrawingThreshold_ = threshold;
    redraw();
}

void PieChartView::calculateOffsets() {
    PieRadarChartViewBase::calculateOffsets();
    const auto d = data();
    if (!d)
        return;
    const double r = effectiveRadius();
    const Point c = effectiveCenter();
    double shift = 0;
    if (const auto pie = std::dynamic_pointer_cast<PieChartData>(d))
        if (const auto set = pie->dataSet())
            shift = set->selectionShift();
    circleBox_ =
        platform::Rect(c.x - r + shift, c.y - r + shift, 2 * r - 2 * shift, 2 * r - 2 * shift);
}

Point PieChartView::getMarkerPosition(const Highlight& highlight) {
    const Point c = centerCircleBox();
    const double r = radius();
    const double off = drawHoleEnabled_ ? (r - r * holeRadiusPercent_) * 0.5 : r / 10 * 3.6;
    const double inner = r - off;
    const auto count = std::ptrdiff_t(std::min(drawAngles_.size(), absoluteAngles_.size()));
    const auto i = checkedIndex(highlight.x(), -1, count);
    if (i < 0 || i >= count)
        return c; // no such slice: the centre
    const auto k = std::size_t(i);
    const double degrees =
        (absoluteAngles_[k] + rotationAngle() - drawAngles_[k] * 0.5) * chartAnimator()->phaseY();
    const double theta = degrees * std::numbers::pi / 180.0;
    return {c.x + inner * std::cos(theta), c.y + inner * std::sin(theta)};
}

void PieChartView::drawRect(GraphicsContext* context, const platform::Rect& rect) {
    ChartViewBase::drawRect(context, rect);
    const auto dataRenderer = renderer();
    if (!data() || !context || !dataRenderer)
        return;
    GraphicsContext& g = *context;
    dataRenderer->drawData(g);
    if (valuesToHighlight())
        dataRenderer->drawHighlighted(g, highlighted());
    dataRenderer->drawExtras(g);
    dataRenderer->drawValues(g);
    legendRenderer()->renderLegend(g);
    drawDescription(g);
    drawMarkersInContext(g);
}

} // namespace charting
