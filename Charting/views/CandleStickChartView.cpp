#include "Charting/views/CandleStickChartView.h"

#include "Charting/components/XAxis.h"
#include "Charting/data/CandleChartData.h"
#include "Charting/renderers/CandleStickChartRenderer.h"

namespace charting {

CandleStickChartView::CandleStickChartView(QWidget* parent) : BarLineChartViewBase(parent) {
    initialize();
}

void CandleStickChartView::initialize() {
    BarLineChartViewBase::initialize();
    setRenderer(CandleStickChartRenderer::create(this, chartAnimator(), viewPortHandler()));
    xAxis()->setSpaceMin(0.5);
    xAxis()->setSpaceMax(0.5);
}

std::shared_ptr<CandleChartData> CandleStickChartView::candleData() {
    return std::dynamic_pointer_cast<CandleChartData>(data());
}

} // namespace charting
