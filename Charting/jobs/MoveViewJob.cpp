#include "Charting/jobs/MoveViewJob.h"

#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"

namespace charting {

std::shared_ptr<MoveViewJob> MoveViewJob::create(const std::shared_ptr<ViewPortHandler>& handler,
                                                 double xValue, double yValue,
                                                 const std::shared_ptr<Transformer>& transformer,
                                                 ViewPortChart* view) {
    return std::make_shared<MoveViewJob>(handler, xValue, yValue, transformer, view);
}

void MoveViewJob::doJob() {
    auto handler = viewPortHandler();
    auto trans = transformer();
    if (!handler || !trans)
        return;
    platform::Point p{xValue_, yValue_};
    trans->valueToPixel(p);
    handler->centerViewPort(p, view());
}

} // namespace charting
