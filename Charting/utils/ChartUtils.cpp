#include "Charting/utils/ChartUtils.h"

#include <cmath>

namespace charting {

double roundToNextSignificant(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return value;
    const int d = static_cast<int>(std::ceil(std::log10(std::abs(value))));
    const double magnitude = std::pow(10.0, 1 - d);
    // Below about 1e-307 the scale factor itself overflows: nothing significant is left.
    if (!std::isfinite(magnitude))
        return 0.0;
    const double shifted = std::round(value * magnitude);
    return shifted / magnitude;
}

int decimalPlacesForValue(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return 0;
    const double r = roundToNextSignificant(value);
    if (r == 0.0 || !std::isfinite(r))
        return 0;
    return static_cast<int>(std::ceil(-std::log10(r))) + 2;
}

} // namespace charting
