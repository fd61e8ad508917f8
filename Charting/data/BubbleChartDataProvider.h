#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"

namespace charting {

class BubbleChartData;

// The bubble chart view, as the bubble renderer sees it.
class BubbleChartDataProvider : public virtual BarLineScatterCandleBubbleChartDataProvider {
public:
    // The chart data when it is bubble data, else none.
    virtual std::shared_ptr<BubbleChartData> bubbleData() = 0;
};

} // namespace charting
