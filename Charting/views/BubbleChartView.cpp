#include "Charting/views/BubbleChartView.h"

#include "Charting/data/BubbleChartData.h"
#include "Charting/renderers/BubbleChartRenderer.h"

namespace charting {

BubbleChartView::BubbleChartView(QWidget* parent) : BarLineChartViewBase(parent) { initialize(); }

void BubbleChartView::initialize() {
    BarLineChartViewBase::initialize();
    setRenderer(BubbleChartRenderer::create(this, chartAnimator(), viewPortHandler()));
}

std::shared_ptr<BubbleChartData> BubbleChartView::bubbleData() {
    return std::dynamic_pointer_cast<BubbleChartData>(data());
}

} // namespace charting
