#pragma once

#include "Charting/data/LineScatterCandleRadarChartDataSetProtocol.h"

#include <optional>

namespace charting {

// Data sets of candle charts, as the candle renderer and the legend read them. A colour that is
// none leaves the data set's colour of the entry in its place.
class CandleChartDataSetProtocol : public virtual LineScatterCandleRadarChartDataSetProtocol {
public:
    // Space left free on each side of a body, in x units (0...0.45).
    virtual double barSpace() const = 0;
    // Bodies from open to close; when false, open-close bars.
    virtual bool showCandleBar() const = 0;
    virtual double shadowWidth() const = 0;
    virtual std::optional<QColor> shadowColor() const = 0;
    // The shadow in the colour of its body.
    virtual bool isShadowColorSameAsCandle() const = 0;
    // Colours when open equals close, close is above open, close is below open.
    virtual std::optional<QColor> neutralColor() const = 0;
    virtual std::optional<QColor> increasingColor() const = 0;
    virtual void setIncreasingColor(std::optional<QColor> color) = 0;
    virtual std::optional<QColor> decreasingColor() const = 0;
    virtual void setDecreasingColor(std::optional<QColor> color) = 0;
    // Whether rising (falling) bodies are filled rather than outlined.
    virtual bool isIncreasingFilled() const = 0;
    virtual bool isDecreasingFilled() const = 0;
};

} // namespace charting
