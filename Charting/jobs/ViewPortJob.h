#pragma once

#include "Charting/utils/ViewPortChart.h"
#include "platform/Geometry.h"

#include <memory>

namespace charting {

class Transformer;
class ViewPortHandler;

// One deferred change of what a chart shows, applied through the view-port handler's touch
// matrix. The job does not keep the handler, transformer or chart view alive: once the handler
// or the transformer is gone the job does nothing more, and once the view is gone nothing is
// redrawn.
class ViewPortJob {
public:
    ViewPortJob(const std::shared_ptr<ViewPortHandler>& viewPortHandler, double xValue,
                double yValue, const std::shared_ptr<Transformer>& transformer,
                ViewPortChart* view);
    ViewPortJob() = delete;
    virtual ~ViewPortJob() = default;
    ViewPortJob(const ViewPortJob&) = delete;
    ViewPortJob& operator=(const ViewPortJob&) = delete;

    // Performs the job; the base class has nothing to perform and stops the program.
    virtual void doJob();

    platform::Point point() const { return point_; }
    double xValue() const { return xValue_; }
    double yValue() const { return yValue_; }
    std::shared_ptr<ViewPortHandler> viewPortHandler() const { return viewPortHandler_.lock(); }
    std::shared_ptr<Transformer> transformer() const { return transformer_.lock(); }
    // The chart view; nullptr once it is gone.
    ViewPortChart* view() const { return viewLifetime_.expired() ? nullptr : view_; }

protected:
    platform::Point point_;
    std::weak_ptr<ViewPortHandler> viewPortHandler_;
    double xValue_;
    double yValue_;
    std::weak_ptr<Transformer> transformer_;
    ViewPortChart* view_;
    std::weak_ptr<const void> viewLifetime_;
};

} // namespace charting
