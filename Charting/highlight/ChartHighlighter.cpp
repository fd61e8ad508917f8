#include "Charting/highlight/ChartHighlighter.h"

#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"
#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/Transformer.h"

#include <cmath>
#include <limits>

namespace charting {

ChartHighlighter::ChartHighlighter(ChartDataProvider* chart) {
    setChart(chart);
}

std::shared_ptr<ChartHighlighter> ChartHighlighter::create(ChartDataProvider* chart) {
    return std::shared_ptr<ChartHighlighter>(new ChartHighlighter(chart));
}

ChartDataProvider* ChartHighlighter::chart() const {
    return chartLifetime_.expired() ? nullptr : chart_;
}

void ChartHighlighter::setChart(ChartDataProvider* chart) {
    chart_ = chart;
    chartLifetime_ = chart ? chart->lifetimeToken() : std::weak_ptr<const void>();
}

std::shared_ptr<Highlight> ChartHighlighter::getHighlight(double x, double y) {
    platform::Point values = getValsForTouch(x, y);
    return getHighlight(values.x, x, y);
}

platform::Point ChartHighlighter::getValsForTouch(double x, double y) {
    auto provider = dynamic_cast<BarLineScatterCandleBubbleChartDataProvider*>(chart());
    if (!provider)
        return {0, 0};
    auto transformer = provider->getTransformerForAxis(AxisDependency::left);
    return transformer ? transformer->valueForTouchPoint(x, y) : platform::Point{0, 0};
}

std::shared_ptr<Highlight> ChartHighlighter::getHighlight(double xValue, double x, double y) {
    ChartDataProvider* provider = chart();
    if (!provider)
        return nullptr;
    auto candidates = getHighlights(xValue, x, y);
    if (candidates.empty())
        return nullptr;

    auto smallestYDistance = [&](AxisDependency axis) {
        double distance = std::numeric_limits<double>::max();
        for (const auto& h : candidates) {
            if (h->axis() != axis)
                continue;
            double d = std::abs(h->yPx() - y);
            if (d < distance)
                distance = d;
        }
        return distance;
    };
    AxisDependency axis =
        smallestYDistance(AxisDependency::left) < smallestYDistance(AxisDependency::right)
            ? AxisDependency::left
            : AxisDependency::right;

    double best = provider->maxHighlightDistance();
    std::shared_ptr<Highlight> selection;
    for (const auto& h : candidates) {
        if (h->axis() != axis)
            continue;
        double d = pixelDistance(x, y, h->xPx(), h->yPx());
        if (best > d) {
            selection = h;
            best = d;
        }
    }
    return selection;
}

std::vector<std::shared_ptr<Highlight>> ChartHighlighter::getHighlights(double xValue, double,
                                                                        double) {
    std::vector<std::shared_ptr<Highlight>> result;
    auto chartData = data();
    if (!chartData)
        return result;
    const auto& sets = chartData->dataSets();
    for (size_t i = 0; i < sets.size(); ++i) {
        if (!sets[i]->isHighlightEnabled())
            continue;
        auto found = highlightsForDataSet(sets[i], static_cast<int>(i), xValue,
                                          ChartDataSetRounding::nearest);
        result.insert(result.end(), found.begin(), found.end());
    }
    return result;
}

std::vector<std::shared_ptr<Highlight>>
ChartHighlighter::highlightsForDataSet(const std::shared_ptr<ChartDataSetProtocol>& dataSet,
                                       int dataSetIndex, double xValue,
                                       ChartDataSetRounding rounding) {
    std::vector<std::shared_ptr<Highlight>> result;
    auto provider = dynamic_cast<BarLineScatterCandleBubbleChartDataProvider*>(chart());
    if (!provider)
        return result;
    auto entries = dataSet->entriesForXValue(xValue);
    if (entries.empty()) {
        auto closest =
            dataSet->entryForXValue(xValue, std::numeric_limits<double>::quiet_NaN(), rounding);
        if (closest)
            entries = dataSet->entriesForXValue(closest->x());
    }
    AxisDependency axis = dataSet->axisDependency();
    auto transformer = provider->getTransformerForAxis(axis);
    if (!transformer)
        return result;
    for (const auto& entry : entries) {
        platform::Point pixel = transformer->pixelForValues(entry->x(), entry->y());
        result.push_back(
            Highlight::create(entry->x(), entry->y(), pixel.x, pixel.y, dataSetIndex, axis));
    }
    return result;
}

double ChartHighlighter::pixelDistance(double x1, double y1, double x2, double y2) {
    return std::hypot(x1 - x2, y1 - y2);
}

std::shared_ptr<ChartData> ChartHighlighter::data() {
    ChartDataProvider* provider = chart();
    return provider ? provider->data() : nullptr;
}

} // namespace charting
