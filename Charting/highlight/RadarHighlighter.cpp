#include "Charting/highlight/RadarHighlighter.h"

#include "Charting/animation/Animator.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/views/RadarChartView.h"

#include <cmath>

namespace charting {

std::shared_ptr<RadarHighlighter> RadarHighlighter::create(ChartDataProvider* chart) {
    return std::shared_ptr<RadarHighlighter>(new RadarHighlighter(chart));
}

std::vector<std::shared_ptr<Highlight>> RadarHighlighter::getHighlights(int index) {
    std::vector<std::shared_ptr<Highlight>> highlights;
    auto* view = dynamic_cast<RadarChartView*>(chart());
    const auto chartData = view ? view->data() : nullptr;
    if (!chartData)
        return highlights;
    const auto animator = view->chartAnimator();
    const double phaseX = animator ? animator->phaseX() : 1.0;
    const double phaseY = animator ? animator->phaseY() : 1.0;
    const double sliceAngle = view->sliceAngle();
    const double factor = view->factor();
    const platform::Point center = view->centerOffsets();
    const auto& sets = chartData->dataSets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto entry = sets[i] ? sets[i]->entryForIndex(index) : nullptr;
        if (!entry)
            continue;
        const double y = entry->y() - view->chartYMin();
        const platform::Point p = view->getPosition(
            center, y * factor * phaseY, sliceAngle * index * phaseX + view->rotationAngle());
        highlights.push_back(Highlight::create(double(index), entry->y(), p.x, p.y, int(i),
                                               sets[i]->axisDependency()));
    }
    return highlights;
}

std::shared_ptr<Highlight> RadarHighlighter::closestHighlight(int index, double x, double y) {
    auto* view = dynamic_cast<RadarChartView*>(chart());
    if (!view)
        return nullptr;
    const double distance = view->distanceToCenter(x, y) / view->factor();
    std::shared_ptr<Highlight> closest;
    double nearest = INFINITY;
    for (const auto& highlight : getHighlights(index)) {
        const double d = std::abs(highlight->y() - distance);
        if (!closest || d < nearest) {
            closest = highlight;
            nearest = d;
        }
    }
    return closest;
}

} // namespace charting
