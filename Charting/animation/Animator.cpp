#include "Charting/animation/Animator.h"

#include "Charting/utils/MediaClock.h"
#include "Charting/utils/NSUIDisplayLink.h"

#include <cmath>

namespace charting {
namespace {
// The later of two end times; an axis whose duration is not a number is disabled and must not
// keep the animation from ever ending.
double laterEnd(double a, double b) {
    return std::fmax(a, b);
}
} // namespace

std::shared_ptr<Animator> Animator::create() {
    return std::make_shared<Animator>();
}

Animator::~Animator() {
    stop();
}

void Animator::stop() {
    if (!displayLink_)
        return;
    displayLink_->invalidate();
    displayLink_.reset();
    enabledX_ = false;
    enabledY_ = false;
    if (phaseX_ != 1.0 || phaseY_ != 1.0) {
        phaseX_ = 1.0;
        phaseY_ = 1.0;
        sendUpdate();
    }
    if (delegate_)
        delegate_->animatorStopped(*this);
    if (stopBlock_)
        stopBlock_();
}

void Animator::advancePhases(double currentTime) {
    if (enabledX_)
        phaseX_ = easedPhase(easingX_, currentTime - startTimeX_, durationX_);
    if (enabledY_)
        phaseY_ = easedPhase(easingY_, currentTime - startTimeY_, durationY_);
}

void Animator::animationLoop() {
    const double now = mediaTime();
    advancePhases(now);
    sendUpdate();
    if (now >= endTime_)
        stop();
}

void Animator::animate(double xAxisDuration, double yAxisDuration, ChartEasingFunctionBlock easingX,
                       ChartEasingFunctionBlock easingY) {
    stop();
    const double now = mediaTime();
    startTimeX_ = now;
    startTimeY_ = now;
    durationX_ = xAxisDuration;
    durationY_ = yAxisDuration;
    endTimeX_ = now + xAxisDuration;
    endTimeY_ = now + yAxisDuration;
    endTime_ = laterEnd(endTimeX_, endTimeY_);
    enabledX_ = xAxisDuration > 0.0;
    enabledY_ = yAxisDuration > 0.0;
    easingX_ = std::move(easingX);
    easingY_ = std::move(easingY);
    advancePhases(startTimeX_);
    if (enabledX_ || enabledY_)
        startDisplayLink();
}

void Animator::animate(double xAxisDuration, double yAxisDuration, ChartEasingOption easingOptionX,
                       ChartEasingOption easingOptionY) {
    animate(xAxisDuration, yAxisDuration, easingFunctionForOption(easingOptionX),
            easingFunctionForOption(easingOptionY));
}

void Animator::animate(double xAxisDuration, double yAxisDuration,
                       ChartEasingFunctionBlock easing) {
    animate(xAxisDuration, yAxisDuration, easing, easing);
}

void Animator::animate(double xAxisDuration, double yAxisDuration, ChartEasingOption easingOption) {
    animate(xAxisDuration, yAxisDuration, easingFunctionForOption(easingOption));
}

void Animator::animateX(double xAxisDuration, ChartEasingFunctionBlock easing) {
    animateOneAxis(true, xAxisDuration, std::move(easing));
}

void Animator::animateX(double xAxisDuration, ChartEasingOption easingOption) {
    animateX(xAxisDuration, easingFunctionForOption(easingOption));
}

void Animator::animateY(double yAxisDuration, ChartEasingFunctionBlock easing) {
    animateOneAxis(false, yAxisDuration, std::move(easing));
}

void Animator::animateOneAxis(bool xAxis, double duration, ChartEasingFunctionBlock easing) {
    const double now = mediaTime();
    double& startTime = xAxis ? startTimeX_ : startTimeY_;
    startTime = now;
    (xAxis ? durationX_ : durationY_) = duration;
    (xAxis ? endTimeX_ : endTimeY_) = now + duration;
    // Started while idle, the animation ends with its own axis: the other axis's end time is
    // left over from an animation that has already stopped.
    endTime_ = displayLink_ ? laterEnd(endTimeX_, endTimeY_) : now + duration;
    (xAxis ? enabledX_ : enabledY_) = duration > 0.0;
    (xAxis ? easingX_ : easingY_) = std::move(easing);
    advancePhases(startTime);
    if ((enabledX_ || enabledY_) && !displayLink_)
        startDisplayLink();
}

void Animator::animateY(double yAxisDuration, ChartEasingOption easingOption) {
    animateY(yAxisDuration, easingFunctionForOption(easingOption));
}

void Animator::startDisplayLink() {
    displayLink_ = NSUIDisplayLink::create(weak_from_this(), [this]() { animationLoop(); });
    displayLink_->addToRunLoop();
}

void Animator::sendUpdate() {
    if (delegate_)
        delegate_->animatorUpdated(*this);
    if (updateBlock_)
        updateBlock_();
}

} // namespace charting
