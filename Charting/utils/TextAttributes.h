#pragma once

#include <QColor>
#include <QFont>

namespace charting {

// Text alignment with the platform's raw values (left 0, right 1, centre 2).
enum class TextAlignment : int { left = 0, right = 1, center = 2, justified = 3, natural = 4 };

// Where wrapped text may break: 0 at word boundaries, 1 at any character, 2 clipped.
enum class LineBreakMode : int {
    byWordWrapping = 0,
    byCharWrapping = 1,
    byClipping = 2,
    byTruncatingHead = 3,
    byTruncatingTail = 4,
    byTruncatingMiddle = 5,
};

struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::natural;
    LineBreakMode lineBreakMode = LineBreakMode::byWordWrapping;
    double minimumLineHeight = 0;
    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

// What text is drawn and measured with: font, foreground colour and paragraph style.
struct TextAttributes {
    QFont font;
    QColor foregroundColor = QColor(0, 0, 0);
    ParagraphStyle paragraphStyle;
};

} // namespace charting
