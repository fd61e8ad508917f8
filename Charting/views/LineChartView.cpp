#include "Charting/views/LineChartView.h"

#include "Charting/data/LineChartData.h"
#include "Charting/renderers/LineChartRenderer.h"

namespace charting {

LineChartView::LineChartView(QWidget* parent) : BarLineChartViewBase(parent) { initialize(); }

void LineChartView::initialize() {
    BarLineChartViewBase::initialize();
    setRenderer(LineChartRenderer::create(this, chartAnimator(), viewPortHandler()));
}

std::shared_ptr<LineChartData> LineChartView::lineData() {
    return std::dynamic_pointer_cast<LineChartData>(data());
}

} // namespace charting
