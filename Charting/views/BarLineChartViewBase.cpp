#include "Charting/views/BarLineChartViewBase.h"

#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartData.h"
#include "Charting/highlight/ChartHighlighter.h"
#include "Charting/renderers/DataRenderer.h"
#include "Charting/renderers/LegendRenderer.h"
#include "Charting/renderers/XAxisRenderer.h"
#include "Charting/renderers/YAxisRenderer.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/MainQueue.h"

#include <QPointer>

#include <algorithm>

namespace charting {

BarLineChartViewBase::BarLineChartViewBase(QWidget* parent)
    : ChartViewBase(parent), leftAxis_(YAxis::create(AxisDependency::left)),
      rightAxis_(YAxis::create(AxisDependency::right)) {}

BarLineChartViewBase::~BarLineChartViewBase() { dropGestureRecognizers(); }

void BarLineChartViewBase::initialize() {
    ChartViewBase::initialize();
    setTransformers(Transformer::create(viewPortHandler()), Transformer::create(viewPortHandler()));
    setHighlighter(ChartHighlighter::create(this));
    makeGestureRecognizers();
}

void BarLineChartViewBase::setTransformers(std::shared_ptr<Transformer> left,
                                           std::shared_ptr<Transformer> right) {
    leftAxisTransformer_ = std::move(left);
    rightAxisTransformer_ = std::move(right);
}

void BarLineChartViewBase::setLeftAxis(std::shared_ptr<YAxis> axis) { leftAxis_ = std::move(axis); }

void BarLineChartViewBase::setRightAxis(std::shared_ptr<YAxis> axis) {
    rightAxis_ = std::move(axis);
}

std::shared_ptr<YAxisRenderer> BarLineChartViewBase::leftYAxisRenderer() {
    if (!leftYAxisRenderer_)
        leftYAxisRenderer_ =
            YAxisRenderer::create(viewPortHandler(), leftAxis_, leftAxisTransformer_);
    return leftYAxisRenderer_;
}

void BarLineChartViewBase::setLeftYAxisRenderer(std::shared_ptr<YAxisRenderer> renderer) {
    leftYAxisRenderer_ = std::move(renderer);
}

std::shared_ptr<YAxisRenderer> BarLineChartViewBase::rightYAxisRenderer() {
    if (!rightYAxisRenderer_)
        rightYAxisRenderer_ =
            YAxisRenderer::create(viewPortHandler(), rightAxis_, rightAxisTransformer_);
    return rightYAxisRenderer_;
}

void BarLineChartViewBase::setRightYAxisRenderer(std::shared_ptr<YAxisRenderer> renderer) {
    rightYAxisRenderer_ = std::move(renderer);
}

std::shared_ptr<XAxisRenderer> BarLineChartViewBase::xAxisRenderer() {
    if (!xAxisRenderer_)
        xAxisRenderer_ = XAxisRenderer::create(viewPortHandler(), xAxis(), leftAxisTransformer_);
    return xAxisRenderer_;
}

void BarLineChartViewBase::setXAxisRenderer(std::shared_ptr<XAxisRenderer> renderer) {
    xAxisRenderer_ = std::move(renderer);
}

void BarLineChartViewBase::drawRect(GraphicsContext* context, const platform::Rect& rect) {
    ChartViewBase::drawRect(context, rect);
    const auto dataRenderer = renderer();
    if (!data() || !dataRenderer || !context)
        return;
    GraphicsContext& g = *context;
    const auto x = xAxis();
    const auto xRenderer = xAxisRenderer();
    const auto leftRenderer = leftYAxisRenderer();
    const auto rightRenderer = rightYAxisRenderer();

    drawGridBackgroundAndBorder(g);
    if (autoScaleMinMaxEnabled_)
        autoScaleToVisibleRange();
    if (leftAxis_->isEnabled())
        leftRenderer->computeAxis(leftAxis_->axisMinimum(), leftAxis_->axisMaximum(),
                                  leftAxis_->isInverted());
    if (rightAxis_->isEnabled())
        rightRenderer->computeAxis(rightAxis_->axisMinimum(), rightAxis_->axisMaximum(),
                                   rightAxis_->isInverted());
    if (x->isEnabled())
        xRenderer->computeAxis(x->axisMinimum(), x->axisMaximum(), false);

    xRenderer->renderAxisLine(g);
    leftRenderer->renderAxisLine(g);
    rightRenderer->renderAxisLine(g);

    const bool gridBehind = x->isDrawGridLinesBehindDataEnabled();
    if (gridBehind) {
        xRenderer->renderGridLines(g);
        leftRenderer->renderGridLines(g);
        rightRenderer->renderGridLines(g);
    }
    const auto limitLines = [&](bool behind) {
        if (x->isEnabled() && x->isDrawLimitLinesBehindDataEnabled() == behind)
            xRenderer->renderLimitLines(g);
        if (leftAxis_->isEnabled() && leftAxis_->isDrawLimitLinesBehindDataEnabled() == behind)
            leftRenderer->renderLimitLines(g);
        if (rightAxis_->isEnabled() && rightAxis_->isDrawLimitLinesBehindDataEnabled() == behind)
            rightRenderer->renderLimitLines(g);
    };
    limitLines(true);

    g.saveGState();
    if (clipDataToContentEnabled_)
        g.clipToRect(viewPortHandler()->contentRect());
    dataRenderer->drawData(g);
    if (!gridBehind) {
        xRenderer->renderGridLines(g);
        leftRenderer->renderGridLines(g);
        rightRenderer->renderGridLines(g);
    }
    if (valuesToHighlight())
        dataRenderer->drawHighlighted(g, highlighted());
    g.restoreGState();

    dataRenderer->drawExtras(g);
    limitLines(false);

    xRenderer->renderAxisLabels(g);
    leftRenderer->renderAxisLabels(g);
    rightRenderer->renderAxisLabels(g);

    if (clipValuesToContentEnabled_) {
        g.saveGState();
        g.clipToRect(viewPortHandler()->contentRect());
        dataRenderer->drawValues(g);
        g.restoreGState();
    } else {
        dataRenderer->drawValues(g);
    }
    legendRenderer()->renderLegend(g);
    drawDescription(g);
    drawMarkersInContext(g);
}

void BarLineChartViewBase::computeAxisRanges() {
    const auto d = data();
    xAxis()->calculate(d ? d->xMin() : 0, d ? d->xMax() : 0);
    leftAxis_->calculate(d ? d->getYMin(AxisDependency::left) : 0,
                         d ? d->getYMax(AxisDependency::left) : 0);
    rightAxis_->calculate(d ? d->getYMin(AxisDependency::right) : 0,
                          d ? d->getYMax(AxisDependency::right) : 0);
}

void BarLineChartViewBase::notifyDataSetChanged() {
    if (const auto dataRenderer = renderer())
        dataRenderer->initBuffers();
    computeAxisRanges();
    leftYAxisRenderer()->computeAxis(leftAxis_->axisMinimum(), leftAxis_->axisMaximum(),
                                     leftAxis_->isInverted());
    rightYAxisRenderer()->computeAxis(rightAxis_->axisMinimum(), rightAxis_->axisMaximum(),
                                      rightAxis_->isInverted());
    if (const auto d = data()) {
        const auto x = xAxis();
        xAxisRenderer()->computeAxis(x->axisMinimum(), x->axisMaximum(), false);
        legendRenderer()->computeLegend(*d);
    }
    calculateOffsets();
    redraw();
}

void BarLineChartViewBase::autoScaleToVisibleRange() {
    const auto d = data();
    if (!d)
        return;
    d->calcMinMaxY(lowestVisibleX(), highestVisibleX());
    xAxis()->calculate(d->xMin(), d->xMax());
    if (leftAxis_->isEnabled())
        leftAxis_->calculate(d->getYMin(AxisDependency::left), d->getYMax(AxisDependency::left));
    if (rightAxis_->isEnabled())
        rightAxis_->calculate(d->getYMin(AxisDependency::right),
                              d->getYMax(AxisDependency::right));
    calculateOffsets();
}

void BarLineChartViewBase::calculateOffsets() {
    if (!customViewPortEnabled_) {
        double offsetLeft = 0, offsetTop = 0, offsetRight = 0, offsetBottom = 0;
        addLegendOffsets(offsetLeft, offsetTop, offsetRight, offsetBottom);
        addAxisOffsets(offsetLeft, offsetTop, offsetRight, offsetBottom);
        offsetTop += extraTopOffset();
        offsetRight += extraRightOffset();
        offsetBottom += extraBottomOffset();
        offsetLeft += extraLeftOffset();
        offsetLeft = std::max(minOffset_, offsetLeft);
        offsetTop = std::max(minOffset_, offsetTop);
        offsetRight = std::max(minOffset_, offsetRight);
        offsetBottom = std::max(minOffset_, offsetBottom);
        viewPortHandler()->restrainViewPort(offsetLeft, offsetTop, offsetRight, offsetBottom);
    }
    prepareOffsetMatrices();
}

void BarLineChartViewBase::addAxisOffsets(double& offsetLeft, double& offsetTop,
                                          double& offsetRight, double& offsetBottom) {
    if (leftAxis_->needsOffset())
        offsetLeft += leftAxis_->requiredSize().width;
    if (rightAxis_->needsOffset())
        offsetRight += rightAxis_->requiredSize().width;
    const auto x = xAxis();
    if (!x->isEnabled() || !x->isDrawLabelsEnabled())
        return;
    const double h = x->labelRotatedHeight() + x->yOffset();
    switch (x->labelPosition()) {
    case XAxis::LabelPosition::bottom:
        offsetBottom += h;
        break;
    case XAxis::LabelPosition::top:
        offsetTop += h;
        break;
    case XAxis::LabelPosition::both:
        offsetBottom += h;
        offsetTop += h;
        break;
    default:
        break;
    }
}

void BarLineChartViewBase::prepareOffsetMatrices() {
    rightAxisTransformer_->prepareMatrixOffset(rightAxis_->isInverted());
    leftAxisTransformer_->prepareMatrixOffset(leftAxis_->isInverted());
    prepareValuePixelMatrices();
}

void BarLineChartViewBase::addLegendOffsets(double& offsetLeft, double& offsetTop,
                                            double& offsetRight, double& offsetBottom) {
    const auto l = legend();
    if (!l->isEnabled() || l->isDrawInsideEnabled())
        return;
    const auto vph = viewPortHandler();
    const double width = std::min(l->neededWidth(), vph->chartWidth() * l->maxSizePercent());
    const double height = std::min(l->neededHeight(), vph->chartHeight() * l->maxSizePercent());
    const auto byVerticalAlignment = [&] {
        switch (l->verticalAlignment()) {
        case Legend::VerticalAlignment::top:
            offsetTop += height + l->yOffset();
            break;
        case Legend::VerticalAlignment::bottom:
            offsetBottom += height + l->yOffset();
            break;
        default:
            break;
        }
    };
    if (l->orientation() == Legend::Orientation::vertical) {
        switch (l->horizontalAlignment()) {
        case Legend::HorizontalAlignment::left:
            offsetLeft += width + l->xOffset();
            break;
        case Legend::HorizontalAlignment::right:
            offsetRight += width + l->xOffset();
            break;
        case Legend::HorizontalAlignment::center:
            byVerticalAlignment();
            break;
        }
    } else {
        byVerticalAlignment();
    }
}

void BarLineChartViewBase::prepareValuePixelMatrices() {
    const auto x = xAxis();
    rightAxisTransformer_->prepareMatrixValuePx(x->axisMinimum(), x->axisRange(),
                                                rightAxis_->axisRange(),
                                                rightAxis_->axisMinimum());
    leftAxisTransformer_->prepareMatrixValuePx(x->axisMinimum(), x->axisRange(),
                                               leftAxis_->axisRange(), leftAxis_->axisMinimum());
}

void BarLineChartViewBase::drawGridBackgroundAndBorder(GraphicsContext& context) {
    const bool any = drawGridBackgroundEnabled_ || drawBordersEnabled_;
    if (any)
        context.saveGState();
    const auto content = viewPortHandler()->contentRect();
    if (drawGridBackgroundEnabled_) {
        context.setFillColor(gridBackgroundColor_);
        context.fillRect(content);
    }
    if (drawBordersEnabled_) {
        context.setLineWidth(borderLineWidth_);
        context.setStrokeColor(borderColor_);
        context.strokeRect(content);
    }
    if (any)
        context.restoreGState();
}

void BarLineChartViewBase::boundsDidChange() {
    std::optional<platform::Point> position;
    if (keepPositionOnRotation_) {
        platform::Point origin = viewPortHandler()->contentRect().origin;
        leftAxisTransformer_->pixelToValue(origin);
        position = origin;
    }
    ChartViewBase::boundsDidChange();
    if (position && keepPositionOnRotation_) {
        leftAxisTransformer_->valueToPixel(*position);
        viewPortHandler()->centerViewPort(*position, this);
    } else {
        viewPortHandler()->refresh(viewPortHandler()->touchMatrix(), this, true);
    }
}

void BarLineChartViewBase::setViewPortOffsets(double left, double top, double right,
                                              double bottom) {
    // Nothing of the view is touched off the main thread, the flag included.
    if (platform::isMainThread()) {
        applyViewPortOffsets(left, top, right, bottom);
        return;
    }
    QPointer<BarLineChartViewBase> self(this);
    platform::runOnMain([self, left, top, right, bottom] {
        if (self)
            self->applyViewPortOffsets(left, top, right, bottom);
    });
}

void BarLineChartViewBase::applyViewPortOffsets(double left, double top, double right,
                                                double bottom) {
    customViewPortEnabled_ = true;
    viewPortHandler()->restrainViewPort(left, top, right, bottom);
    prepareOffsetMatrices();
}

void BarLineChartViewBase::resetViewPortOffsets() {
    customViewPortEnabled_ = false;
    calculateOffsets();
}

double BarLineChartViewBase::getAxisRange(AxisDependency axis) const {
    return axisFor(axis)->axisRange();
}

std::shared_ptr<YAxis> BarLineChartViewBase::getAxis(AxisDependency axis) {
    return axisFor(axis);
}

bool BarLineChartViewBase::isAnyAxisInverted() const {
    return leftAxis_->isInverted() || rightAxis_->isInverted();
}

void BarLineChartViewBase::setYAxisMinWidth(AxisDependency axis, double width) {
    getAxis(axis)->setMinWidth(width);
}

double BarLineChartViewBase::getYAxisMinWidth(AxisDependency axis) const {
    return axisFor(axis)->minWidth();
}

void BarLineChartViewBase::setYAxisMaxWidth(AxisDependency axis, double width) {
    getAxis(axis)->setMaxWidth(width);
}

double BarLineChartViewBase::getYAxisMaxWidth(AxisDependency axis) const {
    return axisFor(axis)->maxWidth();
}

double BarLineChartViewBase::getYAxisWidth(AxisDependency axis) const {
    return axisFor(axis)->requiredSize().width;
}

std::shared_ptr<Transformer> BarLineChartViewBase::getTransformerForAxis(AxisDependency axis) {
    return axis == AxisDependency::left ? leftAxisTransformer_ : rightAxisTransformer_;
}

bool BarLineChartViewBase::isInverted(AxisDependency axis) { return getAxis(axis)->isInverted(); }

double BarLineChartViewBase::lowestVisibleX() {
    const auto vph = viewPortHandler();
    platform::Point pt{vph->contentLeft(), vph->contentBottom()};
    leftAxisTransformer_->pixelToValue(pt);
    return std::max(xAxis()->axisMinimum(), pt.x);
}

double BarLineChartViewBase::highestVisibleX() {
    const auto vph = viewPortHandler();
    platform::Point pt{vph->contentRight(), vph->contentBottom()};
    leftAxisTransformer_->pixelToValue(pt);
    return std::min(xAxis()->axisMaximum(), pt.x);
}

double BarLineChartViewBase::chartYMax() {
    return std::max(leftAxis_->axisMaximum(), rightAxis_->axisMaximum());
}

double BarLineChartViewBase::chartYMin() {
    return std::min(leftAxis_->axisMinimum(), rightAxis_->axisMinimum());
}

} // namespace charting
