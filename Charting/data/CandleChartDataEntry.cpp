#include "Charting/data/CandleChartDataEntry.h"

#include <cmath>

namespace charting {

std::shared_ptr<CandleChartDataEntry> CandleChartDataEntry::create() {
    return std::shared_ptr<CandleChartDataEntry>(new CandleChartDataEntry());
}

std::shared_ptr<CandleChartDataEntry> CandleChartDataEntry::create(double x, double shadowH,
                                                                   double shadowL, double open,
                                                                   double close) {
    return std::shared_ptr<CandleChartDataEntry>(
        new CandleChartDataEntry(x, shadowH, shadowL, open, close));
}

std::shared_ptr<CandleChartDataEntry> CandleChartDataEntry::create(double x, double shadowH,
                                                                   double shadowL, double open,
                                                                   double close, QImage icon) {
    auto entry = create(x, shadowH, shadowL, open, close);
    entry->setIcon(std::move(icon));
    return entry;
}

std::shared_ptr<CandleChartDataEntry> CandleChartDataEntry::create(double x, double shadowH,
                                                                   double shadowL, double open,
                                                                   double close, std::any data) {
    auto entry = create(x, shadowH, shadowL, open, close);
    entry->setData(std::move(data));
    return entry;
}

std::shared_ptr<CandleChartDataEntry> CandleChartDataEntry::create(double x, double shadowH,
                                                                   double shadowL, double open,
                                                                   double close, QImage icon,
                                                                   std::any data) {
    auto entry = create(x, shadowH, shadowL, open, close);
    entry->setIcon(std::move(icon));
    entry->setData(std::move(data));
    return entry;
}

double CandleChartDataEntry::shadowRange() const {
    return std::abs(high_ - low_);
}

double CandleChartDataEntry::bodyRange() const {
    return std::abs(open_ - close_);
}

void CandleChartDataEntry::setY(double) {
    ChartDataEntry::setY((high_ + low_) * 0.5);
}

std::shared_ptr<ChartDataEntry> CandleChartDataEntry::newInstance() const {
    return std::shared_ptr<CandleChartDataEntry>(new CandleChartDataEntry());
}

std::shared_ptr<ChartDataEntry> CandleChartDataEntry::copy() const {
    auto entry = ChartDataEntry::copy();
    auto& candle = static_cast<CandleChartDataEntry&>(*entry);
    candle.high_ = high_;
    candle.low_ = low_;
    candle.close_ = close_;
    candle.open_ = open_;
    return entry;
}

} // namespace charting
