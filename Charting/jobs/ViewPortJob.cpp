#include "Charting/jobs/ViewPortJob.h"

#include "Charting/utils/Transformer.h"
#include "Charting/utils/ViewPortHandler.h"
#include "platform/Fatal.h"

namespace charting {

ViewPortJob::ViewPortJob(const std::shared_ptr<ViewPortHandler>& viewPortHandler, double xValue,
                         double yValue, const std::shared_ptr<Transformer>& transformer,
                         ViewPortChart* view)
    : viewPortHandler_(viewPortHandler), xValue_(xValue), yValue_(yValue),
      transformer_(transformer), view_(view),
      viewLifetime_(view ? view->lifetimeToken() : std::weak_ptr<const void>()) {}

void ViewPortJob::doJob() {
    platform::fatal("doJob() must be overridden by subclasses");
}

} // namespace charting
