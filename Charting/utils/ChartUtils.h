#pragma once

#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace charting {

class GraphicsContext;

// The value rounded to one significant digit, halves away from zero (87 -> 90, -0.45 -> -0.5).
// 0, infinities and NaN come back unchanged; a value too small to scale gives 0.
double roundToNextSignificant(double value);

// How many decimal places a formatter needs to show values of this magnitude (2400 -> -1,
// 1 -> 2, 0.5 -> 3); 0 for 0, infinities and NaN; a negative value counts as its magnitude.
int decimalPlacesForValue(double value);

// A computed position as an index: NaN gives `lowest`; anything else is truncated toward zero and
// clamped to [lowest, highest], so infinities and products too large for an integer give the ends.
// Every conversion of a double to an entry or label index goes through here.
long long checkedIndex(double value, long long lowest, long long highest);

// Dashes with the phase when lengths are given, a solid line (phase 0, no lengths) otherwise.
void setLineDash(GraphicsContext& context, double phase,
                 const std::optional<std::vector<double>>& lengths);

// One line of text whose box has its anchor point (fractions of its width and height, (0, 0) the
// top-left corner, (0.5, 0.5) the centre) on the point, rotated by the angle about that point.
void drawTextAnchored(GraphicsContext& context, const QString& text, platform::Point point,
                      const TextAttributes& attributes, platform::Point anchor,
                      double angleRadians);

// The point moved for the alignment first (right: left by the text width; centre: by half of
// it), then drawn as drawTextAnchored when rotated, else at the moved point without anchor.
void drawTextAligned(GraphicsContext& context, const QString& text, platform::Point point,
                     TextAlignment align, const TextAttributes& attributes, platform::Point anchor,
                     double angleRadians);

// Text wrapped into a box of the given (already measured) size, placed like drawTextAnchored.
void drawMultilineText(GraphicsContext& context, const QString& text, platform::Point point,
                       const TextAttributes& attributes, platform::Size constrainedSize,
                       platform::Point anchor, double angleRadians);

// The image at the given size with its centre on the point. A copy resized to that size is made
// once and kept for later draws of the same image at the same size.
void drawImageCentred(GraphicsContext& context, const QImage& image, platform::Point point,
                      platform::Size size);

// Whether drawImageCentred keeps a resized copy of the image for this size.
bool hasResizedImageCopy(const QImage& image, platform::Size size);

} // namespace charting
