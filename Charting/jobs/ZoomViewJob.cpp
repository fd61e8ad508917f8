#include "Charting/jobs/ZoomViewJob.h"

#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

namespace charting {

std::shared_ptr<ZoomViewJob> ZoomViewJob::create(const std::shared_ptr<ViewPortHandler>& handler,
                                                 double scaleX, double scaleY, double xValue,
                                                 double yValue,
                                                 const std::shared_ptr<Transformer>& transformer,
                                                 AxisDependency axis, ZoomJobChart* view) {
    return std::make_shared<ZoomViewJob>(handler, scaleX, scaleY, xValue, yValue, transformer, axis,
                                         view);
}

ZoomViewJob::ZoomViewJob(const std::shared_ptr<ViewPortHandler>& handler, double scaleX,
                         double scaleY, double xValue, double yValue,
                         const std::shared_ptr<Transformer>& transformer, AxisDependency axis,
                         ZoomJobChart* view)
    : ViewPortJob(handler, xValue, yValue, transformer, view), scaleX_(scaleX), scaleY_(scaleY),
      axisDependency_(axis), chart_(view) {}

void ZoomViewJob::doJob() {
    auto handler = viewPortHandler();
    auto trans = transformer();
    ZoomJobChart* chartView = chart();
    if (!handler || !trans || !chartView)
        return;

    handler->refresh(handler->setZoom(scaleX_, scaleY_), chartView, false);

    const double yVisible = chartView->getAxisRange(axisDependency_) / handler->scaleY();
    const double xVisible = chartView->xRange() / handler->scaleX();
    platform::Point p{xValue_ - xVisible / 2.0, yValue_ + yVisible / 2.0};
    trans->valueToPixel(p);
    handler->refresh(handler->translate(p), chartView, false);

    chartView->calculateOffsets();
    chartView->setNeedsDisplayInRect(chartView->bounds());
}

} // namespace charting
