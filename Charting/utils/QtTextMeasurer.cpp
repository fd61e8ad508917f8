#include "Charting/utils/QtTextMeasurer.h"

#include <QFontMetricsF>
#include <QRectF>

#include <limits>

namespace charting {

using platform::Rect;
using platform::Size;

int QtTextMeasurer::wrappedTextFlags(const ParagraphStyle& style) {
    int flags = Qt::AlignTop;
    switch (style.alignment) {
    case TextAlignment::right:
        flags |= Qt::AlignRight;
        break;
    case TextAlignment::center:
        flags |= Qt::AlignHCenter;
        break;
    case TextAlignment::justified:
        flags |= Qt::AlignJustify;
        break;
    case TextAlignment::left:
    case TextAlignment::natural:
        flags |= Qt::AlignLeft;
        break;
    }
    switch (style.lineBreakMode) {
    case LineBreakMode::byWordWrapping:
        flags |= Qt::TextWordWrap;
        break;
    case LineBreakMode::byCharWrapping:
        flags |= Qt::TextWrapAnywhere;
        break;
    default:
        break;
    }
    return flags;
}

Size QtTextMeasurer::size(const QString& text, const TextAttributes& attributes) const {
    const QSizeF s = QFontMetricsF(attributes.font).size(Qt::TextSingleLine, text);
    return Size{s.width(), s.height()};
}

Rect QtTextMeasurer::boundingRect(const QString& text, Size constrainedSize,
                                  const TextAttributes& attributes) const {
    const double big = 1e7;
    const double w = constrainedSize.width > 0 ? constrainedSize.width : big;
    const double h = constrainedSize.height > 0 ? constrainedSize.height : big;
    ParagraphStyle leftAligned = attributes.paragraphStyle;
    leftAligned.alignment = TextAlignment::left;
    const QRectF r = QFontMetricsF(attributes.font)
                         .boundingRect(QRectF(0, 0, w, h), wrappedTextFlags(leftAligned), text);
    return Rect(0, 0, r.width(), r.height());
}

Rect QtTextMeasurer::boundingRectForFont(const QFont& font) const {
    // Qt offers no whole-font glyph box; ascent to descent with the widest glyph is the closest.
    const QFontMetricsF m(font);
    return Rect(0, -m.descent(), m.maxWidth(), m.ascent() + m.descent());
}

} // namespace charting
