#pragma once

#include <QColor>

#include <vector>

namespace charting {

// Colours at locations 0...1 along a gradient; without locations the colours are spread evenly.
struct Gradient {
    std::vector<QColor> colors;
    std::vector<double> locations;
};

// Whether a gradient paints beyond its start and end (both flags may be set).
enum GradientDrawingOptions : unsigned {
    drawsNone = 0,
    drawsBeforeStartLocation = 1,
    drawsAfterEndLocation = 2,
};

} // namespace charting
