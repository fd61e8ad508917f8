#include "Charting/data/BarChartData.h"

#include "Charting/data/BarChartDataSetProtocol.h"
#include "Charting/data/ChartDataEntry.h"
#include "platform/Log.h"

#include <cmath>

namespace charting {

std::shared_ptr<BarChartData> BarChartData::create() {
    return std::shared_ptr<BarChartData>(new BarChartData());
}

std::shared_ptr<BarChartData> BarChartData::create(DataSetList dataSets) {
    std::shared_ptr<BarChartData> data(new BarChartData(std::move(dataSets)));
    data->notifyDataChanged();
    return data;
}

double BarChartData::groupWidth(double groupSpace, double barSpace) const {
    return (barWidth() + barSpace) * static_cast<double>(dataSets().size()) + groupSpace;
}

void BarChartData::groupBars(double fromX, double groupSpace, double barSpace) {
    const DataSetList& sets = dataSets();
    if (sets.size() < 2) {
        platform::logLine("BarData needs to hold at least 2 BarDataSets to allow grouping.");
        return;
    }
    int max = 0;
    if (auto largest = maxEntryCountSet())
        max = largest->entryCount();

    const double interval = groupWidth(groupSpace, barSpace);
    const double groupSpaceHalf = groupSpace / 2.0;
    const double barSpaceHalf = barSpace / 2.0;
    const double barWidthHalf = barWidth() / 2.0;
    double x = fromX;

    // The additions are made one at a time in this order, so that positions come out the same to
    // the last bit however often the bars are grouped.
    for (int i = 0; i < max; ++i) {
        const double start = x;
        x += groupSpaceHalf;
        for (const auto& set : sets) {
            x += barSpaceHalf;
            x += barWidthHalf;
            if (dynamic_cast<BarChartDataSetProtocol*>(set.get()) && i < set->entryCount()) {
                if (auto entry = set->entryForIndex(i))
                    entry->setX(x);
            }
            x += barWidthHalf;
            x += barSpaceHalf;
        }
        x += groupSpaceHalf;
        const double diff = interval - (x - start);
        if (diff != 0 && !std::isnan(diff))
            x += diff;
    }
    // The data sets' own x extremes follow their moved entries before the chart data's do.
    for (const auto& set : sets) {
        if (dynamic_cast<BarChartDataSetProtocol*>(set.get()))
            set->notifyDataSetChanged();
    }
    notifyDataChanged();
}

} // namespace charting
