#pragma once

#include <QColor>
#include <QString>

#include <vector>

namespace charting {

// Fixed colour palettes for data sets and a parser of colour texts.
class ChartColorTemplates {
public:
    ChartColorTemplates() = delete;

    // Opaque colours: five in each palette, four in material.
    static std::vector<QColor> liberty();
    static std::vector<QColor> joyful();
    static std::vector<QColor> pastel();
    static std::vector<QColor> colorful();
    static std::vector<QColor> vordiplom();
    static std::vector<QColor> material();

    // Case-insensitive colour text:
    // - "#rgb", "#rrggbb" or "#aarrggbb" in hexadecimal; any other length, or a character that
    //   is not a hexadecimal digit, gives opaque black;
    // - "rgba(r, g, b, a)" and "argb(a, r, g, b)": integer components 0...255, alpha 0...1
    //   (clamped); "rgb(r, g, b)" is opaque. Components that cannot be read are 0 (alpha 1), and
    //   each integer component is clamped to 0...255;
    // - anything else gives the clear colour (all components 0).
    static QColor colorFromString(const QString& colorString);
};

} // namespace charting
