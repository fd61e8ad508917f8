#include "support/FakeTextMeasurer.h"

#include <QStringList>

#include <algorithm>

namespace charting {

using platform::Rect;
using platform::Size;

double FakeTextMeasurer::fontSize(const QFont& font) {
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() : 12.0;
}

Size FakeTextMeasurer::size(const QString& text, const TextAttributes& attributes) const {
    const double s = fontSize(attributes.font);
    return Size{text.size() * 0.5 * s, 1.25 * s};
}

Rect FakeTextMeasurer::boundingRect(const QString& text, Size constrainedSize,
                                    const TextAttributes& attributes) const {
    const double s = fontSize(attributes.font);
    const double charWidth = 0.5 * s, lineHeight = 1.25 * s;
    const double limit = constrainedSize.width > 0 ? constrainedSize.width : 1e300;
    int lines = 0;
    double widest = 0;
    for (const QString& paragraph : text.split(u'\n')) {
        double line = 0;
        ++lines;
        for (const QString& word : paragraph.split(u' ')) {
            const double w = word.size() * charWidth;
            if (line == 0) {
                line = w;
            } else if (line + charWidth + w <= limit) {
                line += charWidth + w;
            } else {
                widest = std::max(widest, line);
                ++lines;
                line = w;
            }
        }
        widest = std::max(widest, line);
    }
    return Rect(0, 0, widest, lines * lineHeight);
}

Rect FakeTextMeasurer::boundingRectForFont(const QFont& font) const {
    const double s = fontSize(font);
    return Rect(0, -0.25 * s, s, 1.25 * s);
}

} // namespace charting
