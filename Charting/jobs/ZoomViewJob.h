#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/jobs/ViewPortJob.h"
#include "Charting/jobs/ZoomJobChart.h"

namespace charting {

// Zooms a bar-line chart view to the given scales with (xValue, yValue) at the content's centre.
class ZoomViewJob : public ViewPortJob {
public:
    static std::shared_ptr<ZoomViewJob> create(const std::shared_ptr<ViewPortHandler>& handler,
                                               double scaleX, double scaleY, double xValue,
                                               double yValue,
                                               const std::shared_ptr<Transformer>& transformer,
                                               AxisDependency axis, ZoomJobChart* view);
    ZoomViewJob(const std::shared_ptr<ViewPortHandler>& handler, double scaleX, double scaleY,
                double xValue, double yValue, const std::shared_ptr<Transformer>& transformer,
                AxisDependency axis, ZoomJobChart* view);
    void doJob() override;

    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    AxisDependency axisDependency() const { return axisDependency_; }
    // The bar-line chart view; nullptr once it is gone.
    ZoomJobChart* chart() const { return view() ? chart_ : nullptr; }

protected:
    double scaleX_;
    double scaleY_;
    AxisDependency axisDependency_;

private:
    ZoomJobChart* chart_;
};

} // namespace charting
