#pragma once

#include "Charting/jobs/ViewPortJob.h"

namespace charting {

// Moves the view port so that the value (xValue, yValue) lies at the content's top-left corner.
class MoveViewJob : public ViewPortJob {
public:
    static std::shared_ptr<MoveViewJob> create(const std::shared_ptr<ViewPortHandler>& handler,
                                               double xValue, double yValue,
                                               const std::shared_ptr<Transformer>& transformer,
                                               ViewPortChart* view);
    using ViewPortJob::ViewPortJob;
    void doJob() override;
};

} // namespace charting
