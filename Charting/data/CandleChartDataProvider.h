#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartDataProvider.h"

namespace charting {

class CandleChartData;

// The candle-stick chart view, as the candle renderer sees it.
class CandleChartDataProvider : public virtual BarLineScatterCandleBubbleChartDataProvider {
public:
    // The chart data when it is candle data, else none.
    virtual std::shared_ptr<CandleChartData> candleData() = 0;
};

} // namespace charting
