#include "Charting/highlight/HorizontalBarHighlighter.h"

#include "Charting/data/BarChartDataProvider.h"
#include "Charting/data/ChartDataSetProtocol.h"
#include "Charting/data/Highlight.h"
#include "Charting/utils/Transformer.h"

#include <cmath>

namespace charting {

std::shared_ptr<HorizontalBarHighlighter>
HorizontalBarHighlighter::create(ChartDataProvider* chart) {
    return std::shared_ptr<HorizontalBarHighlighter>(new HorizontalBarHighlighter(chart));
}

std::shared_ptr<Highlight> HorizontalBarHighlighter::getHighlight(double x, double y) {
    if (!data())
        return nullptr;
    // (x, y) is the touch swapped: the values and the pixel point of the touch itself.
    platform::Point pos = getValsForTouch(y, x);
    return barHighlight(pos.y, pos.x, y, x);
}

std::vector<std::shared_ptr<Highlight>>
HorizontalBarHighlighter::highlightsForDataSet(const std::shared_ptr<ChartDataSetProtocol>& dataSet,
                                               int dataSetIndex, double xValue,
                                               ChartDataSetRounding rounding) {
    // The base finds the entries; their pixel positions come from (y, x) here.
    auto result = ChartHighlighter::highlightsForDataSet(dataSet, dataSetIndex, xValue, rounding);
    auto provider = dynamic_cast<BarLineScatterCandleBubbleChartDataProvider*>(chart());
    auto transformer =
        provider ? provider->getTransformerForAxis(dataSet->axisDependency()) : nullptr;
    if (!transformer)
        return {};
    for (auto& high : result) {
        platform::Point pixel = transformer->pixelForValues(high->y(), high->x());
        high =
            Highlight::create(high->x(), high->y(), pixel.x, pixel.y, dataSetIndex, high->axis());
    }
    return result;
}

double HorizontalBarHighlighter::pixelDistance(double, double y1, double, double y2) {
    return std::abs(y1 - y2);
}

} // namespace charting
