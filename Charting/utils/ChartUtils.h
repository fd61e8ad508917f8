#pragma once

namespace charting {

// The value rounded to one significant digit, halves away from zero (87 -> 90, -0.45 -> -0.5).
// 0, infinities and NaN come back unchanged; a value too small to scale gives 0.
double roundToNextSignificant(double value);

// How many decimal places a formatter needs to show values of this magnitude (2400 -> -1,
// 1 -> 2, 0.5 -> 3); 0 for 0, infinities and NaN.
int decimalPlacesForValue(double value);

} // namespace charting
