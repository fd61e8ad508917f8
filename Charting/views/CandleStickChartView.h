#pragma once

#include "Charting/data/CandleChartDataProvider.h"
#include "Charting/views/BarLineChartViewBase.h"

namespace charting {

// The candle-stick chart: a bar-line view drawing its candle data with the candle renderer, its
// x axis padded by half a unit at both ends so that the outer candles are whole. Layouts can
// promote a placeholder widget to it.
class CandleStickChartView : public BarLineChartViewBase, public virtual CandleChartDataProvider {
public:
    explicit CandleStickChartView(QWidget* parent = nullptr);

    // The bar-line set-up, the candle renderer and the x axis padding.
    void initialize() override;
    // The data when it is candle data, else none.
    std::shared_ptr<CandleChartData> candleData() override;
};

} // namespace charting
