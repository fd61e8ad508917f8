#pragma once

#include "Charting/data/LineScatterCandleRadarChartDataSetProtocol.h"

#include <optional>

namespace charting {

// Data sets of candle charts; the legend reads the colours of falling and rising candles.
class CandleChartDataSetProtocol : public virtual LineScatterCandleRadarChartDataSetProtocol {
public:
    // None: the candle renderer uses the data set's colour.
    virtual std::optional<QColor> decreasingColor() const = 0;
    virtual void setDecreasingColor(std::optional<QColor> color) = 0;
    virtual std::optional<QColor> increasingColor() const = 0;
    virtual void setIncreasingColor(std::optional<QColor> color) = 0;
};

} // namespace charting
