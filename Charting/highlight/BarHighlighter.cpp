#include "Charting/highlight/BarHighlighter.h"

#include "Charting/data/BarChartData.h"
#include "Charting/data/BarChartDataProvider.h"
#include "Charting/data/BarChartDataSetProtocol.h"
#include "Charting/data/Highlight.h"
#include "Charting/data/Range.h"
#include "Charting/utils/Transformer.h"

#include <cmath>

namespace charting {

std::shared_ptr<BarHighlighter> BarHighlighter::create(ChartDataProvider* chart) {
    return std::shared_ptr<BarHighlighter>(new BarHighlighter(chart));
}

std::shared_ptr<Highlight> BarHighlighter::getHighlight(double x, double y) {
    if (!data())
        return nullptr;
    platform::Point values = getValsForTouch(x, y);
    return barHighlight(values.x, values.y, x, y);
}

std::shared_ptr<Highlight> BarHighlighter::barHighlight(double xValue, double yValue, double x,
                                                        double y) {
    auto high = getHighlight(xValue, x, y);
    auto barData = data();
    if (!high || !barData)
        return high;
    auto set = std::dynamic_pointer_cast<BarChartDataSetProtocol>(
        barData->dataSetAtIndex(high->dataSetIndex()));
    if (set && set->isStacked())
        return getStackedHighlight(high, *set, xValue, yValue);
    return high;
}

double BarHighlighter::pixelDistance(double x1, double, double x2, double) {
    return std::abs(x1 - x2);
}

std::shared_ptr<ChartData> BarHighlighter::data() {
    auto provider = dynamic_cast<BarChartDataProvider*>(chart());
    return provider ? provider->barData() : nullptr;
}

std::shared_ptr<Highlight>
BarHighlighter::getStackedHighlight(const std::shared_ptr<Highlight>& high,
                                    const BarChartDataSetProtocol& set, double xValue,
                                    double yValue) {
    auto provider = dynamic_cast<BarLineScatterCandleBubbleChartDataProvider*>(chart());
    if (!provider || !high)
        return nullptr;
    auto entry = std::dynamic_pointer_cast<BarChartDataEntry>(set.entryForXValue(xValue, yValue));
    if (!entry)
        return nullptr;
    if (!entry->yValues())
        return high;
    const auto& ranges = entry->ranges();
    if (!ranges || ranges->empty())
        return nullptr;
    int stackIndex = getClosestStackIndex(ranges, yValue);
    auto transformer = provider->getTransformerForAxis(set.axisDependency());
    if (!transformer)
        return nullptr;
    platform::Point pixel =
        transformer->pixelForValues(high->x(), (*ranges)[static_cast<size_t>(stackIndex)]->to());
    return Highlight::create(entry->x(), entry->y(), pixel.x, pixel.y, high->dataSetIndex(),
                             stackIndex, high->axis());
}

int BarHighlighter::getClosestStackIndex(const std::optional<BarChartDataEntry::RangeList>& ranges,
                                         double value) {
    if (!ranges || ranges->empty())
        return 0;
    for (size_t i = 0; i < ranges->size(); ++i) {
        if ((*ranges)[i]->contains(value))
            return static_cast<int>(i);
    }
    int last = static_cast<int>(ranges->size()) - 1;
    return value > (*ranges)[static_cast<size_t>(last)]->to() ? last : 0;
}

} // namespace charting
