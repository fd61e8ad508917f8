#include "Charting/views/ChartViewBase.h"

#include "Charting/components/ChartMarker.h"
#include "Charting/components/Description.h"
#include "Charting/components/Legend.h"
#include "Charting/components/XAxis.h"
#include "Charting/data/ChartData.h"
#include "Charting/formatters/DefaultValueFormatter.h"
#include "Charting/highlight/ChartHighlighterProtocol.h"
#include "Charting/data/Highlight.h"
#include "Charting/jobs/AnimatedViewPortJob.h"
#include "Charting/renderers/DataRenderer.h"
#include "Charting/renderers/LegendRenderer.h"
#include "Charting/utils/ChartDefaults.h"
#include "Charting/utils/ChartUtils.h"
#include "Charting/utils/GraphicsContext.h"
#include "Charting/utils/ImageContext.h"
#include "Charting/utils/QPainterGraphicsContext.h"
#include "Charting/utils/TextMeasurer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"
#include "platform/Log.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace charting {

ChartViewBase::ChartViewBase(QWidget* parent)
    : NSUIView(parent), noDataFont_(systemFont(12)), noDataTextColor_(labelTextColor()) {}

ChartViewBase::~ChartViewBase() {
    // Nothing may step into this view once it is going: animations stop where they are.
    if (chartAnimator_) {
        chartAnimator_->setDelegate(nullptr);
        chartAnimator_->stop();
    }
    for (const auto& weak : startedAnimations_)
        if (auto job = weak.lock())
            job->stop(false);
    viewportJobs_.clear();
}

std::shared_ptr<ChartValueFormatter> ChartViewBase::defaultValueFormatter() {
    if (!defaultValueFormatter_)
        defaultValueFormatter_ = DefaultValueFormatter::create(0);
    return defaultValueFormatter_;
}

void ChartViewBase::setDefaultValueFormatter(std::shared_ptr<ChartValueFormatter> formatter) {
    defaultValueFormatter_ = std::move(formatter);
}

void ChartViewBase::setData(std::shared_ptr<ChartData> data) {
    data_ = std::move(data);
    dataDidSet();
}

void ChartViewBase::dataDidSet() {
    offsetsCalculated_ = false;
    if (!data_)
        return;
    setupDefaultFormatter(data_->yMin(), data_->yMax());
    const auto formatter = defaultValueFormatter();
    for (const auto& dataSet : data_->dataSets()) {
        if (dataSet && std::dynamic_pointer_cast<DefaultValueFormatter>(dataSet->valueFormatter()))
            dataSet->setValueFormatter(formatter);
    }
    notifyDataSetChanged();
}

void ChartViewBase::setupDefaultFormatter(double min, double max) {
    double reference = 0;
    if (data_ && data_->entryCount() >= 2)
        reference = std::fabs(max - min);
    else
        reference = std::max(std::fabs(min), std::fabs(max));
    if (auto formatter = std::dynamic_pointer_cast<DefaultValueFormatter>(defaultValueFormatter()))
        formatter->setDecimals(decimalPlacesForValue(reference));
}

std::shared_ptr<XAxis> ChartViewBase::xAxis() {
    if (!xAxis_)
        xAxis_ = XAxis::create();
    return xAxis_;
}

void ChartViewBase::setXAxis(std::shared_ptr<XAxis> axis) { xAxis_ = std::move(axis); }

std::shared_ptr<Description> ChartViewBase::chartDescription() {
    if (!chartDescription_)
        chartDescription_ = Description::create();
    return chartDescription_;
}

void ChartViewBase::setChartDescription(std::shared_ptr<Description> description) {
    chartDescription_ = std::move(description);
}

std::shared_ptr<Legend> ChartViewBase::legend() {
    if (!legend_)
        legend_ = Legend::create();
    return legend_;
}

void ChartViewBase::setLegend(std::shared_ptr<Legend> legend) { legend_ = std::move(legend); }

std::shared_ptr<LegendRenderer> ChartViewBase::legendRenderer() {
    if (!legendRenderer_)
        legendRenderer_ = LegendRenderer::create(viewPortHandler(), legend());
    return legendRenderer_;
}

void ChartViewBase::setLegendRenderer(std::shared_ptr<LegendRenderer> renderer) {
    legendRenderer_ = std::move(renderer);
}

void ChartViewBase::setRenderer(std::shared_ptr<DataRenderer> renderer) {
    renderer_ = std::move(renderer);
}

void ChartViewBase::setHighlighter(std::shared_ptr<ChartHighlighterProtocol> highlighter) {
    highlighter_ = std::move(highlighter);
}

std::shared_ptr<ViewPortHandler> ChartViewBase::viewPortHandler() {
    if (!viewPortHandler_) {
        // A widget that was never given a size reports a default one: wait for the real size.
        const bool sized = testAttribute(Qt::WA_Resized) || isVisible();
        const auto size = sized ? bounds().size : platform::Size();
        viewPortHandler_ = ViewPortHandler::create(size.width, size.height);
    }
    return viewPortHandler_;
}

void ChartViewBase::setViewPortHandler(std::shared_ptr<ViewPortHandler> handler) {
    viewPortHandler_ = std::move(handler);
}

std::shared_ptr<Animator> ChartViewBase::chartAnimator() {
    if (!chartAnimator_) {
        chartAnimator_ = Animator::create();
        chartAnimator_->setDelegate(this);
    }
    return chartAnimator_;
}

void ChartViewBase::setChartAnimator(std::shared_ptr<Animator> animator) {
    chartAnimator_ = std::move(animator);
}

void ChartViewBase::setExtraOffsets(double left, double top, double right, double bottom) {
    setExtraLeftOffset(left);
    setExtraTopOffset(top);
    setExtraRightOffset(right);
    setExtraBottomOffset(bottom);
}

void ChartViewBase::clear() {
    setData(nullptr);
    offsetsCalculated_ = false;
    highlighted_.clear();
    lastHighlighted_.reset();
    redraw();
}

void ChartViewBase::clearValues() {
    if (data_)
        data_->clearValues();
    redraw();
}

bool ChartViewBase::isEmpty() { return !data_ || data_->dataSetCount() == 0; }

void ChartViewBase::notifyDataSetChanged() {
    platform::fatal("notifyDataSetChanged() cannot be called on ChartViewBase");
}

void ChartViewBase::calculateOffsets() {
    platform::fatal("calculateOffsets() cannot be called on ChartViewBase");
}

void ChartViewBase::redraw() { setNeedsDisplayInRect(bounds()); }

void ChartViewBase::drawDescription(GraphicsContext& context) {
    const auto description = chartDescription();
    const auto text = description->text();
    if (!description->isEnabled() || !text || text->isEmpty())
        return;
    const auto vph = viewPortHandler();
    platform::Point position;
    if (const auto given = description->position()) {
        position = *given;
    } else {
        const auto size = bounds().size;
        position.x = size.width - vph->offsetRight() - description->xOffset();
        position.y = size.height - vph->offsetBottom() - description->yOffset() -
                     textMeasurer().boundingRectForFont(description->font()).size.height;
    }
    TextAttributes attributes;
    attributes.font = description->font();
    attributes.foregroundColor = description->textColor();
    const double width = textMeasurer().size(*text, attributes).width;
    switch (description->textAlign()) {
    case TextAlignment::right:
        position.x -= width;
        break;
    case TextAlignment::center:
        position.x -= width / 2;
        break;
    default:
        break;
    }
    context.saveGState();
    context.drawText(*text, position, attributes);
    context.restoreGState();
}

void ChartViewBase::highlightValues(const std::vector<std::shared_ptr<Highlight>>& highlights) {
    highlighted_ = highlights;
    lastHighlighted_ = highlighted_.empty() ? nullptr : highlighted_.front();
    redraw();
}

void ChartViewBase::highlightValue(double x, int dataSetIndex, int dataIndex) {
    highlightValue(x, dataSetIndex, dataIndex, true);
}

void ChartViewBase::highlightValue(double x, double y, int dataSetIndex, int dataIndex) {
    highlightValue(x, y, dataSetIndex, dataIndex, true);
}

void ChartViewBase::highlightValue(double x, int dataSetIndex, int dataIndex, bool callDelegate) {
    highlightValue(x, std::nan(""), dataSetIndex, dataIndex, callDelegate);
}

void ChartViewBase::highlightValue(double x, double y, int dataSetIndex, int dataIndex,
                                   bool callDelegate) {
    if (!data_) {
        platform::logLine("Value not highlighted because data is nil");
        return;
    }
    if (dataSetIndex < 0 || dataSetIndex >= data_->dataSetCount())
        highlightValue(std::shared_ptr<Highlight>(), callDelegate);
    else
        highlightValue(Highlight::create(x, y, dataSetIndex, dataIndex), callDelegate);
}

void ChartViewBase::highlightValue(const std::shared_ptr<Highlight>& highlight) {
    highlightValue(highlight, false);
}

void ChartViewBase::highlightValue(const std::shared_ptr<Highlight>& highlight,
                                   bool callDelegate) {
    std::shared_ptr<ChartDataEntry> entry;
    if (highlight && data_)
        entry = data_->entryFor(*highlight);
    if (entry) {
        highlighted_ = {highlight};
        if (callDelegate && delegate_)
            delegate_->chartValueSelected(*this, entry, *highlight);
    } else {
        highlighted_.clear();
        if (callDelegate && delegate_)
            delegate_->chartValueNothingSelected(*this);
    }
    redraw();
}

std::shared_ptr<Highlight> ChartViewBase::getHighlightByTouchPoint(platform::Point point) {
    if (!data_) {
        platform::logLine("Can't select by touch. No data set.");
        return nullptr;
    }
    return highlighter_ ? highlighter_->getHighlight(point.x, point.y) : nullptr;
}

void ChartViewBase::drawMarkersInContext(GraphicsContext& context) {
    if (!marker_ || !isDrawMarkersEnabled() || !valuesToHighlight())
        return;
    const auto highlights = highlighted_;
    for (const auto& highlight : highlights) {
        if (!data_)
            continue;
        const auto dataSet = data_->dataSetAtIndex(highlight->dataSetIndex());
        const auto entry = dataSet ? data_->entryFor(*highlight) : nullptr;
        if (!entry)
            continue;
        const int entryIndex = dataSet->entryIndex(entry);
        const auto revealed = checkedIndex(dataSet->entryCount() * chartAnimator()->phaseX(), 0,
                                           dataSet->entryCount());
        if (entryIndex > revealed)
            continue;
        const auto position = getMarkerPosition(*highlight);
        if (!viewPortHandler()->isInBounds(position.x, position.y))
            continue;
        marker_->refreshContent(entry, *highlight);
        marker_->draw(context, position);
    }
}

platform::Point ChartViewBase::getMarkerPosition(const Highlight& highlight) {
    return {highlight.drawX(), highlight.drawY()};
}

void ChartViewBase::animate(double xAxisDuration, double yAxisDuration,
                            ChartEasingFunctionBlock easingX, ChartEasingFunctionBlock easingY) {
    chartAnimator()->animate(xAxisDuration, yAxisDuration, std::move(easingX), std::move(easingY));
}

void ChartViewBase::animate(double xAxisDuration, double yAxisDuration,
                            ChartEasingOption easingOptionX, ChartEasingOption easingOptionY) {
    chartAnimator()->animate(xAxisDuration, yAxisDuration, easingOptionX, easingOptionY);
}

void ChartViewBase::animate(double xAxisDuration, double yAxisDuration,
                            ChartEasingFunctionBlock easing) {
    chartAnimator()->animate(xAxisDuration, yAxisDuration, std::move(easing));
}

void ChartViewBase::animate(double xAxisDuration, double yAxisDuration,
                            ChartEasingOption easingOption) {
    chartAnimator()->animate(xAxisDuration, yAxisDuration, easingOption);
}

void ChartViewBase::animate(double xAxisDuration, double yAxisDuration) {
    animate(xAxisDuration, yAxisDuration, ChartEasingOption::easeInOutSine);
}

void ChartViewBase::animateX(double xAxisDuration, ChartEasingFunctionBlock easing) {
    chartAnimator()->animateX(xAxisDuration, std::move(easing));
}

void ChartViewBase::animateX(double xAxisDuration, ChartEasingOption easingOption) {
    chartAnimator()->animateX(xAxisDuration, easingOption);
}

void ChartViewBase::animateX(double xAxisDuration) {
    animateX(xAxisDuration, ChartEasingOption::easeInOutSine);
}

void ChartViewBase::animateY(double yAxisDuration, ChartEasingFunctionBlock easing) {
    chartAnimator()->animateY(yAxisDuration, std::move(easing));
}

void ChartViewBase::animateY(double yAxisDuration, ChartEasingOption easingOption) {
    chartAnimator()->animateY(yAxisDuration, easingOption);
}

void ChartViewBase::animateY(double yAxisDuration) {
    animateY(yAxisDuration, ChartEasingOption::easeInOutSine);
}

double ChartViewBase::chartYMax() { return data_ ? data_->yMax() : 0; }
double ChartViewBase::chartYMin() { return data_ ? data_->yMin() : 0; }
double ChartViewBase::chartXMax() { return xAxis()->axisMaximum(); }
double ChartViewBase::chartXMin() { return xAxis()->axisMinimum(); }
double ChartViewBase::xRange() { return xAxis()->axisRange(); }

platform::Point ChartViewBase::midPoint() const {
    const auto b = bounds();
    return {b.origin.x + b.size.width / 2, b.origin.y + b.size.height / 2};
}

platform::Point ChartViewBase::centerOffsets() { return viewPortHandler()->contentCenter(); }

platform::Rect ChartViewBase::contentRect() { return viewPortHandler()->contentRect(); }

bool ChartViewBase::isOpaque() const { return testAttribute(Qt::WA_OpaquePaintEvent); }

std::optional<QImage> ChartViewBase::getChartImage(bool transparent) {
    syncSizeWithBounds();
    const bool opaque = isOpaque() || !transparent;
    const auto size = bounds().size;
    const ImageContextHandle handle =
        NSUIBeginImageContext(opaque, size.width, size.height, mainScreenScale());
    GraphicsContext* context = NSUIImageContextGraphics(handle);
    if (!context) {
        NSUIEndImageContext(handle);
        return std::nullopt;
    }
    if (opaque) {
        const platform::Rect all(0, 0, size.width, size.height);
        context->setFillColor(Qt::white);
        context->fillRect(all);
        if (const auto background = backgroundColor()) {
            context->setFillColor(*background);
            context->fillRect(all);
        }
    }
    drawRect(context, bounds());
    auto image = NSUIImageFromCurrentImageContext(handle);
    NSUIEndImageContext(handle);
    return image;
}

bool ChartViewBase::saveToPath(const QString& path, ImageFormat format,
                               double compressionQuality) {
    const auto image = getChartImage(format == ImageFormat::png);
    if (!image)
        return false;
    const auto encoded = format == ImageFormat::png
                             ? NSUIImagePNGData(*image)
                             : NSUIImageJPEGData(*image, compressionQuality);
    if (!encoded)
        return false;
    return writeDataAtomically(*encoded, path);
}

void ChartViewBase::removeViewportJob(const std::shared_ptr<ViewPortJob>& job) {
    const auto found = std::find(viewportJobs_.begin(), viewportJobs_.end(), job);
    if (found != viewportJobs_.end())
        viewportJobs_.erase(found);
}

void ChartViewBase::clearAllViewportJobs() { viewportJobs_.clear(); }

void ChartViewBase::addViewportJob(const std::shared_ptr<ViewPortJob>& job) {
    if (viewPortHandler()->hasChartDimens())
        runJob(job);
    else
        viewportJobs_.push_back(job);
}

void ChartViewBase::runJob(const std::shared_ptr<ViewPortJob>& job) {
    if (auto animated = std::dynamic_pointer_cast<AnimatedViewPortJob>(job)) {
        std::erase_if(startedAnimations_, [](const auto& weak) { return weak.expired(); });
        startedAnimations_.push_back(animated);
    }
    job->doJob();
}

void ChartViewBase::setDragDecelerationFrictionCoef(double coefficient) {
    dragDecelerationFrictionCoef_ = std::clamp(coefficient, 0.0, 0.999);
}

void ChartViewBase::animatorUpdated(Animator&) { redraw(); }

void ChartViewBase::animatorStopped(Animator& animator) {
    if (delegate_)
        delegate_->chartViewAnimatorDidStop(*this, animator);
}

std::vector<std::shared_ptr<NSUIAccessibilityElement>> ChartViewBase::accessibilityRows() const {
    if (!renderer_)
        return {};
    return renderer_->accessibleChartElements();
}

std::optional<QString> ChartViewBase::chartDescriptionText() {
    return chartDescription()->text();
}

void ChartViewBase::drawRect(GraphicsContext* context, const platform::Rect&) {
    if (!context)
        return;
    if (!data_ && !noDataText_.isEmpty()) {
        context->saveGState();
        TextAttributes attributes;
        attributes.font = noDataFont_;
        attributes.foregroundColor = noDataTextColor_;
        attributes.paragraphStyle.minimumLineHeight =
            textMeasurer().boundingRectForFont(noDataFont_).size.height;
        attributes.paragraphStyle.lineBreakMode = LineBreakMode::byWordWrapping;
        attributes.paragraphStyle.alignment = noDataTextAlignment_;
        const auto size = bounds().size;
        const auto box = textMeasurer().boundingRect(noDataText_, size, attributes);
        drawMultilineText(*context, noDataText_, {size.width * 0.5, size.height * 0.5},
                          attributes, box.size, {0.5, 0.5}, 0);
        context->restoreGState();
        return;
    }
    if (!offsetsCalculated_) {
        calculateOffsets();
        offsetsCalculated_ = true;
    }
}

void ChartViewBase::boundsDidChange() {
    const auto size = bounds().size;
    const auto vph = viewPortHandler();
    if (size.width == vph->chartWidth() && size.height == vph->chartHeight())
        return;
    vph->setChartDimens(size.width, size.height);
    notifyDataSetChanged();
    while (!viewportJobs_.empty()) {
        const auto job = viewportJobs_.front();
        viewportJobs_.erase(viewportJobs_.begin());
        runJob(job);
    }
}

void ChartViewBase::syncSizeWithBounds() {
    // Only a size the view port has not seen yet: a bar-line view's bounds change also asks for
    // a redraw, which from within a paint would paint again without end.
    const auto size = bounds().size;
    const auto vph = viewPortHandler();
    if (size.width == vph->chartWidth() && size.height == vph->chartHeight())
        return;
    if (testAttribute(Qt::WA_Resized) || isVisible())
        boundsDidChange();
}

void ChartViewBase::paintEvent(QPaintEvent* event) {
    syncSizeWithBounds();
    QPainter painter(this);
    QPainterGraphicsContext context(painter);
    const QRectF dirty = event->rect();
    drawRect(&context, platform::Rect(dirty.x(), dirty.y(), dirty.width(), dirty.height()));
}

void ChartViewBase::resizeEvent(QResizeEvent* event) {
    NSUIView::resizeEvent(event);
    boundsDidChange();
}

} // namespace charting
