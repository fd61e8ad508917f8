#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"

namespace charting {

class ScatterChartData;

// The scatter chart view, as the scatter renderer sees it.
class ScatterChartDataProvider : public virtual BarLineScatterCandleBubbleChartDataProvider {
public:
    // The chart data when it is scatter data, else none.
    virtual std::shared_ptr<ScatterChartData> scatterData() = 0;
};

} // namespace charting
