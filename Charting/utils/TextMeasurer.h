#pragma once

#include "Charting/utils/TextAttributes.h"
#include "platform/Geometry.h"

#include <QString>

namespace charting {

// Measures text the way the drawing layer lays it out.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The size of the text on one line.
    virtual platform::Size size(const QString& text, const TextAttributes& attributes) const = 0;
    // The box the text takes when wrapped into `constrainedSize`, measured from the top-left
    // corner of its first line (origin (0, 0)).
    virtual platform::Rect boundingRect(const QString& text, platform::Size constrainedSize,
                                        const TextAttributes& attributes) const = 0;
    // The rectangle that holds every glyph of the font, relative to a line's baseline origin.
    virtual platform::Rect boundingRectForFont(const QFont& font) const = 0;
};

// The measurer in use: Qt's font metrics unless a test installed another.
const TextMeasurer& textMeasurer();

// Installs `measurer` for the lifetime of the guard.
class ScopedTextMeasurer {
public:
    explicit ScopedTextMeasurer(const TextMeasurer& measurer);
    ~ScopedTextMeasurer();
    ScopedTextMeasurer(const ScopedTextMeasurer&) = delete;
    ScopedTextMeasurer& operator=(const ScopedTextMeasurer&) = delete;

private:
    const TextMeasurer* previous_;
};

} // namespace charting
