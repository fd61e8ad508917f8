#include "Charting/jobs/AnimatedZoomViewJob.h"

#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

namespace charting {

std::shared_ptr<AnimatedZoomViewJob>
AnimatedZoomViewJob::create(const std::shared_ptr<ViewPortHandler>& handler,
                            const std::shared_ptr<Transformer>& transformer, ZoomJobChart* view,
                            AxisDependency yAxis, double xAxisRange, double scaleX, double scaleY,
                            double xOrigin, double yOrigin, double zoomCenterX, double zoomCenterY,
                            double zoomOriginX, double zoomOriginY, double duration,
                            ChartEasingFunctionBlock easing) {
    return std::make_shared<AnimatedZoomViewJob>(
        handler, transformer, view, yAxis, xAxisRange, scaleX, scaleY, xOrigin, yOrigin,
        zoomCenterX, zoomCenterY, zoomOriginX, zoomOriginY, duration, std::move(easing));
}

AnimatedZoomViewJob::AnimatedZoomViewJob(const std::shared_ptr<ViewPortHandler>& handler,
                                         const std::shared_ptr<Transformer>& transformer,
                                         ZoomJobChart* view, AxisDependency yAxis,
                                         double xAxisRange, double scaleX, double scaleY,
                                         double xOrigin, double yOrigin, double zoomCenterX,
                                         double zoomCenterY, double zoomOriginX, double zoomOriginY,
                                         double duration, ChartEasingFunctionBlock easing)
    : AnimatedViewPortJob(handler, 0.0, 0.0, transformer, view, xOrigin, yOrigin, duration,
                          std::move(easing)),
      yAxis_(yAxis), xAxisRange_(xAxisRange), scaleX_(scaleX), scaleY_(scaleY),
      zoomOriginX_(zoomOriginX), zoomOriginY_(zoomOriginY), zoomCenterX_(zoomCenterX),
      zoomCenterY_(zoomCenterY), chart_(view) {}

void AnimatedZoomViewJob::applyPhase() {
    auto handler = viewPortHandler();
    auto trans = transformer();
    ZoomJobChart* chartView = chart();
    if (!handler || !trans || !chartView)
        return;

    const double sx = xOrigin_ + (scaleX_ - xOrigin_) * phase_;
    const double sy = yOrigin_ + (scaleY_ - yOrigin_) * phase_;
    handler->refresh(handler->setZoom(sx, sy), chartView, false);

    const double yVisible = chartView->getAxisRange(yAxis_) / handler->scaleY();
    const double xVisible = xAxisRange_ / handler->scaleX();
    const double targetX = zoomCenterX_ - xVisible / 2.0;
    const double targetY = zoomCenterY_ + yVisible / 2.0;
    platform::Point p{zoomOriginX_ + (targetX - zoomOriginX_) * phase_,
                      zoomOriginY_ + (targetY - zoomOriginY_) * phase_};
    trans->valueToPixel(p);
    handler->refresh(handler->translate(p), chartView, true);
}

void AnimatedZoomViewJob::finishAnimation() {
    ZoomJobChart* chartView = chart();
    if (!chartView)
        return;
    chartView->calculateOffsets();
    chartView->setNeedsDisplayInRect(chartView->bounds());
}

} // namespace charting
