#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"

namespace charting {

class BarChartData;

// The bar chart views, as the bar renderers and highlighters see them.
class BarChartDataProvider : public virtual BarLineScatterCandleBubbleChartDataProvider {
public:
    // The chart data when it is bar data, else none.
    virtual std::shared_ptr<BarChartData> barData() = 0;
    virtual bool isDrawBarShadowEnabled() = 0;
    virtual bool isDrawValueAboveBarEnabled() = 0;
    virtual bool isHighlightFullBarEnabled() = 0;
};

} // namespace charting
