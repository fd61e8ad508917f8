#pragma once

#include "Charting/utils/NSUIView.h"
#include "platform/Geometry.h"

#include <QPointer>

#include <memory>

namespace charting {

class Transformer;
class ViewPortHandler;

// One deferred change of what a chart shows, applied through the view-port handler's touch
// matrix. The job does not keep the handler, transformer or view alive: once one of them is
// gone the job does nothing more.
class ViewPortJob {
public:
    ViewPortJob(const std::shared_ptr<ViewPortHandler>& viewPortHandler, double xValue,
                double yValue, const std::shared_ptr<Transformer>& transformer, NSUIView* view);
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
    NSUIView* view() const { return view_.data(); }

protected:
    platform::Point point_;
    std::weak_ptr<ViewPortHandler> viewPortHandler_;
    double xValue_;
    double yValue_;
    std::weak_ptr<Transformer> transformer_;
    QPointer<NSUIView> view_;
};

} // namespace charting
