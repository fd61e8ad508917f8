#pragma once

#include "Charting/jobs/AnimatedViewPortJob.h"

namespace charting {

// Moves the view port gradually from the value (xOrigin, yOrigin) to (xValue, yValue) at the
// content's top-left corner.
class AnimatedMoveViewJob : public AnimatedViewPortJob {
public:
    static std::shared_ptr<AnimatedMoveViewJob>
    create(const std::shared_ptr<ViewPortHandler>& handler, double xValue, double yValue,
           const std::shared_ptr<Transformer>& transformer, ViewPortChart* view, double xOrigin,
           double yOrigin, double duration, ChartEasingFunctionBlock easing);
    using AnimatedViewPortJob::AnimatedViewPortJob;

protected:
    void applyPhase() override;
};

} // namespace charting
