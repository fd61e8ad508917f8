#pragma once

#include "Charting/data/BarLineScatterCandleBubbleChartData.h"

namespace charting {

// The chart data of a candle chart.
class CandleChartData : public BarLineScatterCandleBubbleChartData {
public:
    static std::shared_ptr<CandleChartData> create();
    static std::shared_ptr<CandleChartData> create(DataSetList dataSets);

protected:
    CandleChartData() = default;
    explicit CandleChartData(DataSetList dataSets)
        : BarLineScatterCandleBubbleChartData(std::move(dataSets)) {}
};

} // namespace charting
