#include "Charting/views/ScatterChartView.h"

#include "Charting/components/XAxis.h"
#include "Charting/data/ScatterChartData.h"
#include "Charting/renderers/ScatterChartRenderer.h"

namespace charting {

ScatterChartView::ScatterChartView(QWidget* parent) : BarLineChartViewBase(parent) { initialize(); }

void ScatterChartView::initialize() {
    BarLineChartViewBase::initialize();
    setRenderer(ScatterChartRenderer::create(this, chartAnimator(), viewPortHandler()));
    xAxis()->setSpaceMin(0.5);
    xAxis()->setSpaceMax(0.5);
}

std::shared_ptr<ScatterChartData> ScatterChartView::scatterData() {
    return std::dynamic_pointer_cast<ScatterChartData>(data());
}

} // namespace charting
