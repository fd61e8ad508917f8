#include "Charting/jobs/AnimatedViewPortJob.h"

#include "Charting/utils/MediaClock.h"
#include "Charting/utils/NSUIDisplayLink.h"

namespace charting {

AnimatedViewPortJob::AnimatedViewPortJob(const std::shared_ptr<ViewPortHandler>& handler,
                                         double xValue, double yValue,
                                         const std::shared_ptr<Transformer>& transformer,
                                         ViewPortChart* view, double xOrigin, double yOrigin,
                                         double duration, ChartEasingFunctionBlock easing)
    : ViewPortJob(handler, xValue, yValue, transformer, view), xOrigin_(xOrigin), yOrigin_(yOrigin),
      duration_(duration), easing_(std::move(easing)) {}

AnimatedViewPortJob::~AnimatedViewPortJob() {
    stop(false);
}

double AnimatedViewPortJob::phaseAt(double elapsed) const {
    // Without a positive duration the job goes straight to its end (never 0 / 0).
    if (!(duration_ > 0.0))
        return 1.0;
    return easedPhase(easing_, elapsed, duration_);
}

void AnimatedViewPortJob::start() {
    const double now = mediaTime();
    startTime_ = now;
    // Without a positive duration the first frame is the last (also for one that is not a number).
    endTime_ = duration_ > 0.0 ? now + duration_ : now;
    phase_ = phaseAt(0.0);
    if (displayLink_)
        displayLink_->invalidate();
    displayLink_ = NSUIDisplayLink::create(weak_from_this(), [this]() { animationLoop(); });
    keepAlive_ = shared_from_this();
    displayLink_->addToRunLoop();
}

void AnimatedViewPortJob::stop(bool finish) {
    if (!displayLink_)
        return;
    displayLink_->invalidate();
    displayLink_.reset();
    // Released last: the job may go away with it.
    std::shared_ptr<AnimatedViewPortJob> self = std::move(keepAlive_);
    if (finish) {
        if (phase_ != 1.0) {
            phase_ = 1.0;
            applyPhase();
        }
        finishAnimation();
    }
}

void AnimatedViewPortJob::animationLoop() {
    if (!viewPortHandler() || !transformer()) {
        stop(false); // the chart that ran this job is gone
        return;
    }
    const double now = mediaTime();
    phase_ = phaseAt(now - startTime_);
    applyPhase();
    if (now >= endTime_)
        stop(true);
}

} // namespace charting
