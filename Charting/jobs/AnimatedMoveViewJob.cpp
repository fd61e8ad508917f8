#include "Charting/jobs/AnimatedMoveViewJob.h"

#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

namespace charting {

std::shared_ptr<AnimatedMoveViewJob>
AnimatedMoveViewJob::create(const std::shared_ptr<ViewPortHandler>& handler, double xValue,
                            double yValue, const std::shared_ptr<Transformer>& transformer,
                            ViewPortChart* view, double xOrigin, double yOrigin, double duration,
                            ChartEasingFunctionBlock easing) {
    return std::make_shared<AnimatedMoveViewJob>(handler, xValue, yValue, transformer, view,
                                                 xOrigin, yOrigin, duration, std::move(easing));
}

void AnimatedMoveViewJob::applyPhase() {
    auto handler = viewPortHandler();
    auto trans = transformer();
    if (!handler || !trans)
        return;
    platform::Point p{xOrigin_ + (xValue_ - xOrigin_) * phase_,
                      yOrigin_ + (yValue_ - yOrigin_) * phase_};
    trans->valueToPixel(p);
    handler->centerViewPort(p, view());
}

} // namespace charting
