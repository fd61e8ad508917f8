#include "Charting/utils/ChartColorTemplates.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace charting {

namespace {
struct Rgb {
    int r, g, b;
};

std::vector<QColor> palette(std::initializer_list<Rgb> colors) {
    std::vector<QColor> out;
    out.reserve(colors.size());
    for (const Rgb& c : colors)
        out.push_back(QColor::fromRgbF(float(c.r / 255.0), float(c.g / 255.0), float(c.b / 255.0), 1.0f));
    return out;
}

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

// A reader over the lower-cased text after the form's name.
class Scanner {
public:
    Scanner(const QString& text, qsizetype from) : text_(text), pos_(from) {}

    void skip(QStringView set) {
        while (pos_ < text_.size() && set.contains(text_[pos_]))
            ++pos_;
    }
    // An optionally signed run of digits; nothing is consumed when there is none.
    std::optional<double> integer() {
        qsizetype p = pos_;
        if (p < text_.size() && (text_[p] == u'-' || text_[p] == u'+'))
            ++p;
        const qsizetype digits = p;
        while (p < text_.size() && isDigit(text_[p]))
            ++p;
        if (p == digits)
            return std::nullopt;
        const double v = text_.mid(pos_, p - pos_).toDouble();
        pos_ = p;
        return v;
    }
    // A decimal number such as "0.5", ".25" or "1"; nothing is consumed when there is none.
    std::optional<double> decimal() {
        qsizetype p = pos_;
        if (p < text_.size() && (text_[p] == u'-' || text_[p] == u'+'))
            ++p;
        qsizetype digits = 0;
        while (p < text_.size() && isDigit(text_[p]))
            ++p, ++digits;
        if (p < text_.size() && text_[p] == u'.') {
            ++p;
            while (p < text_.size() && isDigit(text_[p]))
                ++p, ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        const double v = text_.mid(pos_, p - pos_).toDouble();
        pos_ = p;
        return v;
    }

private:
    static bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
    const QString& text_;
    qsizetype pos_;
};

constexpr QStringView kOpening = u"( ";
constexpr QStringView kSeparators = u", ";

double component(std::optional<double> v) {
    return v ? std::clamp(*v, 0.0, 255.0) / 255.0 : 0.0;
}

double alphaOf(std::optional<double> a) {
    if (!a)
        return 1.0;
    return std::isnan(*a) ? 0.0 : std::clamp(*a, 0.0, 1.0);
}

QColor make(double r, double g, double b, double a) {
    return QColor::fromRgbF(float(r), float(g), float(b), float(a));
}

QColor fromHex(const QString& digits) {
    const QColor black = make(0, 0, 0, 1);
    const qsizetype n = digits.size();
    if (n != 3 && n != 6 && n != 8)
        return black;
    int v[8] = {};
    for (qsizetype i = 0; i < n; ++i) {
        v[i] = hexDigit(digits[i]);
        if (v[i] < 0)
            return black;
    }
    int a = 255, r = 0, g = 0, b = 0;
    if (n == 8) {
        a = v[0] * 16 + v[1];
        r = v[2] * 16 + v[3];
        g = v[4] * 16 + v[5];
        b = v[6] * 16 + v[7];
    } else if (n == 6) {
        r = v[0] * 16 + v[1];
        g = v[2] * 16 + v[3];
        b = v[4] * 16 + v[5];
    } else {
        r = v[0] * 17;
        g = v[1] * 17;
        b = v[2] * 17;
    }
    return make(r / 255.0, g / 255.0, b / 255.0, a / 255.0);
}
} // namespace

std::vector<QColor> ChartColorTemplates::liberty() {
    return palette({{207, 248, 246}, {148, 212, 212}, {136, 180, 187}, {118, 174, 175},
                    {42, 109, 130}});
}

std::vector<QColor> ChartColorTemplates::joyful() {
    return palette({{217, 80, 138}, {254, 149, 7}, {254, 247, 120}, {106, 167, 134},
                    {53, 194, 209}});
}

std::vector<QColor> ChartColorTemplates::pastel() {
    return palette({{64, 89, 128}, {149, 165, 124}, {217, 184, 162}, {191, 134, 134},
                    {179, 48, 80}});
}

std::vector<QColor> ChartColorTemplates::colorful() {
    return palette({{193, 37, 82}, {255, 102, 0}, {245, 199, 0}, {106, 150, 31}, {179, 100, 53}});
}

std::vector<QColor> ChartColorTemplates::vordiplom() {
    return palette({{192, 255, 140}, {255, 247, 140}, {255, 208, 140}, {140, 234, 255},
                    {255, 140, 157}});
}

std::vector<QColor> ChartColorTemplates::material() {
    return palette({{46, 204, 113}, {241, 196, 15}, {231, 76, 60}, {52, 152, 219}});
}

QColor ChartColorTemplates::colorFromString(const QString& colorString) {
    const QString text = colorString.toLower();
    if (text.startsWith(u'#'))
        return fromHex(text.mid(1));
    // Integer red, green and blue with separators between.
    auto rgbOf = [](Scanner& s) {
        std::array<std::optional<double>, 3> rgb;
        for (std::size_t i = 0; i < rgb.size(); ++i) {
            if (i > 0)
                s.skip(kSeparators);
            rgb[i] = s.integer();
        }
        return rgb;
    };
    if (text.startsWith(QLatin1String("rgba"))) {
        Scanner s(text, 4);
        s.skip(kOpening);
        const auto rgb = rgbOf(s);
        s.skip(kSeparators);
        const auto a = s.decimal();
        return make(component(rgb[0]), component(rgb[1]), component(rgb[2]), alphaOf(a));
    }
    if (text.startsWith(QLatin1String("argb"))) {
        Scanner s(text, 4);
        s.skip(kOpening);
        const auto a = s.decimal();
        s.skip(kSeparators);
        const auto rgb = rgbOf(s);
        return make(component(rgb[0]), component(rgb[1]), component(rgb[2]), alphaOf(a));
    }
    if (text.startsWith(QLatin1String("rgb"))) {
        Scanner s(text, 3);
        s.skip(kOpening);
        const auto rgb = rgbOf(s);
        return make(component(rgb[0]), component(rgb[1]), component(rgb[2]), 1);
    }
    return make(0, 0, 0, 0);
}

} // namespace charting
