#pragma once

#include "Charting/components/AxisDependency.h"
#include "Charting/jobs/AnimatedViewPortJob.h"
#include "Charting/jobs/ZoomJobChart.h"

namespace charting {

// Zooms a bar-line chart view gradually from the starting scales (xOrigin, yOrigin) to the
// target scales, moving from the value (zoomOriginX, zoomOriginY) at the content's top-left
// corner to (zoomCenterX, zoomCenterY) at its centre. The y range is that of the view's axis
// on the `yAxis` side.
class AnimatedZoomViewJob : public AnimatedViewPortJob {
public:
    static std::shared_ptr<AnimatedZoomViewJob>
    create(const std::shared_ptr<ViewPortHandler>& handler,
           const std::shared_ptr<Transformer>& transformer, ZoomJobChart* view,
           AxisDependency yAxis, double xAxisRange, double scaleX, double scaleY, double xOrigin,
           double yOrigin, double zoomCenterX, double zoomCenterY, double zoomOriginX,
           double zoomOriginY, double duration, ChartEasingFunctionBlock easing);
    AnimatedZoomViewJob(const std::shared_ptr<ViewPortHandler>& handler,
                        const std::shared_ptr<Transformer>& transformer, ZoomJobChart* view,
                        AxisDependency yAxis, double xAxisRange, double scaleX, double scaleY,
                        double xOrigin, double yOrigin, double zoomCenterX, double zoomCenterY,
                        double zoomOriginX, double zoomOriginY, double duration,
                        ChartEasingFunctionBlock easing);

    // The bar-line chart view; nullptr once it is gone.
    ZoomJobChart* chart() const { return view() ? chart_ : nullptr; }

protected:
    void applyPhase() override;
    void finishAnimation() override;

private:
    AxisDependency yAxis_;
    double xAxisRange_;
    double scaleX_;
    double scaleY_;
    double zoomOriginX_;
    double zoomOriginY_;
    double zoomCenterX_;
    double zoomCenterY_;
    ZoomJobChart* chart_;
};

} // namespace charting
