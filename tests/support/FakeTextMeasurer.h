#pragma once

#include "Charting/utils/TextMeasurer.h"

namespace charting {

// Measures text without fonts, for exact layout tests: every character is 0.5 x the font size
// wide, a line is 1.25 x the font size high (size: the point size, else the pixel size), and
// wrapping breaks greedily at spaces.
class FakeTextMeasurer : public TextMeasurer {
public:
    static double fontSize(const QFont& font);
    platform::Size size(const QString& text, const TextAttributes& attributes) const override;
    platform::Rect boundingRect(const QString& text, platform::Size constrainedSize,
                                const TextAttributes& attributes) const override;
    platform::Rect boundingRectForFont(const QFont& font) const override;
};

} // namespace charting
