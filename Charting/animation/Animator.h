#pragma once

#include "Charting/animation/ChartAnimationEasing.h"

#include <functional>
#include <memory>

namespace charting {

class Animator;
class NSUIDisplayLink;

// Told of every phase change and of the end of an animation (the chart views).
class ChartAnimatorDelegate {
public:
    virtual ~ChartAnimatorDelegate() = default;
    virtual void animatorUpdated(Animator& animator) { (void)animator; }
    virtual void animatorStopped(Animator& animator) { (void)animator; }
};

// The two animation phases of a chart. They run from 0 to 1 while an animation plays (elastic
// and back curves overshoot) and rest at 1 otherwise; one step per display frame. Make it with
// create(): the display link reaches it through a weak reference.
class Animator : public std::enable_shared_from_this<Animator> {
public:
    static std::shared_ptr<Animator> create();
    Animator() = default;
    virtual ~Animator();
    Animator(const Animator&) = delete;
    Animator& operator=(const Animator&) = delete;

    virtual void stop();
    virtual void advancePhases(double currentTime);
    virtual void animationLoop();

    // Both axes: stops a running animation first, then starts from phase 0.
    virtual void animate(double xAxisDuration, double yAxisDuration,
                         ChartEasingFunctionBlock easingX, ChartEasingFunctionBlock easingY);
    virtual void animate(double xAxisDuration, double yAxisDuration,
                         ChartEasingOption easingOptionX, ChartEasingOption easingOptionY);
    virtual void animate(double xAxisDuration, double yAxisDuration,
                         ChartEasingFunctionBlock easing = {});
    virtual void animate(double xAxisDuration, double yAxisDuration,
                         ChartEasingOption easingOption);
    // One axis: joins a running animation (which it may lengthen) instead of stopping it.
    virtual void animateX(double xAxisDuration, ChartEasingFunctionBlock easing = {});
    virtual void animateX(double xAxisDuration, ChartEasingOption easingOption);
    virtual void animateY(double yAxisDuration, ChartEasingFunctionBlock easing = {});
    virtual void animateY(double yAxisDuration, ChartEasingOption easingOption);

    // Non-owning; the delegate clears itself before it goes.
    ChartAnimatorDelegate* delegate() const { return delegate_; }
    void setDelegate(ChartAnimatorDelegate* delegate) { delegate_ = delegate; }
    const std::function<void()>& updateBlock() const { return updateBlock_; }
    void setUpdateBlock(std::function<void()> block) { updateBlock_ = std::move(block); }
    const std::function<void()>& stopBlock() const { return stopBlock_; }
    void setStopBlock(std::function<void()> block) { stopBlock_ = std::move(block); }
    double phaseX() const { return phaseX_; }
    void setPhaseX(double phase) { phaseX_ = phase; }
    double phaseY() const { return phaseY_; }
    void setPhaseY(double phase) { phaseY_ = phase; }

    // True while an animation runs (a display link is present).
    bool isRunning() const { return displayLink_ != nullptr; }

private:
    void animateOneAxis(bool xAxis, double duration, ChartEasingFunctionBlock easing);
    void startDisplayLink();
    void sendUpdate();

    ChartAnimatorDelegate* delegate_ = nullptr;
    std::function<void()> updateBlock_;
    std::function<void()> stopBlock_;
    double phaseX_ = 1.0;
    double phaseY_ = 1.0;
    double startTimeX_ = 0.0;
    double startTimeY_ = 0.0;
    std::shared_ptr<NSUIDisplayLink> displayLink_;
    double durationX_ = 0.0;
    double durationY_ = 0.0;
    double endTimeX_ = 0.0;
    double endTimeY_ = 0.0;
    double endTime_ = 0.0;
    bool enabledX_ = false;
    bool enabledY_ = false;
    ChartEasingFunctionBlock easingX_;
    ChartEasingFunctionBlock easingY_;
};

} // namespace charting
