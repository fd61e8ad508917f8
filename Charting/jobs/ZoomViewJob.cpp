#include "Charting/jobs/ZoomViewJob.h"

#include "Charting/jobs/ZoomJobChart.h"
#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"

namespace charting {

std::shared_ptr<ZoomViewJob> ZoomViewJob::create(const std::shared_ptr<ViewPortHandler>& handler,
                                                 double scaleX, double scaleY, double xValue,
                                                 double yValue,
                                                 const std::shared_ptr<Transformer>& transformer,
                                                 AxisDependency axis, NSUIView* view) {
    return std::make_shared<ZoomViewJob>(handler, scaleX, scaleY, xValue, yValue, transformer, axis,
                                         view);
}

ZoomViewJob::ZoomViewJob(const std::shared_ptr<ViewPortHandler>& handler, double scaleX,
                         double scaleY, double xValue, double yValue,
                         const std::shared_ptr<Transformer>& transformer, AxisDependency axis,
                         NSUIView* view)
    : ViewPortJob(handler, xValue, yValue, transformer, view), scaleX_(scaleX), scaleY_(scaleY),
      axisDependency_(axis) {}

void ZoomViewJob::doJob() {
    auto handler = viewPortHandler();
    auto trans = transformer();
    NSUIView* chartView = view();
    if (!handler || !trans || !chartView)
        return;
    auto* chart = dynamic_cast<ZoomJobChart*>(chartView);
    if (!chart)
        platform::fatal("ZoomViewJob runs only on a bar-line chart view");

    handler->refresh(handler->setZoom(scaleX_, scaleY_), chartView, false);

    const double yVisible = chart->getAxisRange(axisDependency_) / handler->scaleY();
    const double xVisible = chart->xAxisRange() / handler->scaleX();
    platform::Point p{xValue_ - xVisible / 2.0, yValue_ + yVisible / 2.0};
    trans->valueToPixel(p);
    handler->refresh(handler->translate(p), chartView, false);

    chart->calculateOffsets();
    chartView->setNeedsDisplayInRect(chartView->bounds());
}

} // namespace charting
