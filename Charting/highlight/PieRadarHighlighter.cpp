#include "Charting/highlight/PieRadarHighlighter.h"

#include "Charting/data/ChartData.h"
#include "Charting/views/PieChartView.h"
#include "platform/Fatal.h"

namespace charting {

std::shared_ptr<PieRadarHighlighter> PieRadarHighlighter::create(ChartDataProvider* chart) {
    return std::shared_ptr<PieRadarHighlighter>(new PieRadarHighlighter(chart));
}

std::shared_ptr<Highlight> PieRadarHighlighter::getHighlight(double x, double y) {
    auto* view = dynamic_cast<PieRadarChartViewBase*>(chart());
    if (!view)
        return nullptr;
    const double distance = view->distanceToCenter(x, y);
    // Outside the circle (or no circle at all) nothing is hit.
    if (!(distance <= view->radius()))
        return nullptr;
    double angle = view->angleForPoint(x, y);
    // A pie drawn part-way through its y animation maps back to its full angles.
    if (dynamic_cast<PieChartView*>(view))
        angle /= view->chartAnimator()->phaseY();
    const int index = view->indexForAngle(angle);
    const auto chartData = view->data();
    if (index < 0 || !chartData)
        return nullptr;
    const auto largest = chartData->maxEntryCountSet();
    if (!largest || index >= largest->entryCount())
        return nullptr;
    return closestHighlight(index, x, y);
}

std::shared_ptr<Highlight> PieRadarHighlighter::closestHighlight(int, double, double) {
    platform::fatal("closestHighlight(index, x, y) cannot be called on PieRadarChartHighlighter");
}

} // namespace charting
