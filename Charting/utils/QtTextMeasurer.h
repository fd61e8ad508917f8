#pragma once

#include "Charting/utils/TextMeasurer.h"

#include <Qt>

namespace charting {

// Text measured with Qt's font metrics, laid out as QPainterGraphicsContext draws it.
class QtTextMeasurer : public TextMeasurer {
public:
    platform::Size size(const QString& text, const TextAttributes& attributes) const override;
    platform::Rect boundingRect(const QString& text, platform::Size constrainedSize,
                                const TextAttributes& attributes) const override;
    platform::Rect boundingRectForFont(const QFont& font) const override;

    // The Qt text flags of wrapped text with this paragraph style.
    static int wrappedTextFlags(const ParagraphStyle& style);
};

} // namespace charting
