#pragma once

#include "Charting/animation/ChartAnimationEasing.h"
#include "Charting/jobs/ViewPortJob.h"

namespace charting {

class NSUIDisplayLink;

// A view-port change made gradually: one step per display frame from phase 0 to phase 1 over
// the duration, shaped by the easing curve (linear without one). A running job keeps itself
// alive until its animation ends; releasing a job stops it where it is.
class AnimatedViewPortJob : public ViewPortJob,
                            public std::enable_shared_from_this<AnimatedViewPortJob> {
public:
    AnimatedViewPortJob(const std::shared_ptr<ViewPortHandler>& handler, double xValue,
                        double yValue, const std::shared_ptr<Transformer>& transformer,
                        ViewPortChart* view, double xOrigin, double yOrigin, double duration,
                        ChartEasingFunctionBlock easing);
    ~AnimatedViewPortJob() override;

    void doJob() override { start(); }
    virtual void start();
    virtual void stop(bool finish);
    virtual void animationLoop();

    double phase() const { return phase_; }
    double xOrigin() const { return xOrigin_; }
    double yOrigin() const { return yOrigin_; }
    bool isRunning() const { return displayLink_ != nullptr; }

protected:
    // Applies the current phase to the view port; nothing in the base class.
    virtual void applyPhase() {}
    // The end of an animation that ran out or was stopped with finish; nothing in the base class.
    virtual void finishAnimation() {}

    double phase_ = 1.0;
    double xOrigin_;
    double yOrigin_;

private:
    double phaseAt(double elapsed) const;

    double startTime_ = 0.0;
    std::shared_ptr<NSUIDisplayLink> displayLink_;
    double duration_;
    double endTime_ = 0.0;
    ChartEasingFunctionBlock easing_;
    std::shared_ptr<AnimatedViewPortJob> keepAlive_;
};

} // namespace charting
