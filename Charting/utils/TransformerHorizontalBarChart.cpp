#include "Charting/utils/TransformerHorizontalBarChart.h"

#include "Charting/utils/ViewPortHandler.h"

namespace charting {

using platform::AffineTransform;

std::shared_ptr<TransformerHorizontalBarChart>
TransformerHorizontalBarChart::create(std::shared_ptr<ViewPortHandler> viewPortHandler) {
    return std::make_shared<TransformerHorizontalBarChart>(std::move(viewPortHandler));
}

void TransformerHorizontalBarChart::prepareMatrixOffset(bool inverted) {
    const ViewPortHandler& h = *viewPortHandler();
    if (!inverted)
        setMatrixOffset(
            AffineTransform::makeTranslation(h.offsetLeft(), h.chartHeight() - h.offsetBottom()));
    else
        setMatrixOffset(AffineTransform::makeScale(-1.0, 1.0).translatedBy(
            -(h.chartWidth() - h.offsetRight()), h.chartHeight() - h.offsetBottom()));
}

} // namespace charting
