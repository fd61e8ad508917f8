#include "Charting/highlight/PieHighlighter.h"

#include "Charting/data/ChartData.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/Highlight.h"

namespace charting {

std::shared_ptr<PieHighlighter> PieHighlighter::create(ChartDataProvider* chart) {
    return std::shared_ptr<PieHighlighter>(new PieHighlighter(chart));
}

std::shared_ptr<Highlight> PieHighlighter::closestHighlight(int index, double x, double y) {
    const auto chartData = data();
    if (!chartData || chartData->dataSetCount() == 0)
        return nullptr;
    const auto& set = chartData->dataSets().front();
    const auto entry = set ? set->entryForIndex(index) : nullptr;
    if (!entry)
        return nullptr;
    return Highlight::create(double(index), entry->y(), x, y, 0, set->axisDependency());
}

} // namespace charting
