#include "Charting/utils/NumberFormatter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace charting {

namespace {

int clampDigits(int digits) {
    return std::clamp(digits, 0, NumberFormatter::kMaxFractionDigits);
}

// The shortest decimal digits of |value| (no leading or trailing zeros) and the number of digits
// before the decimal point: value = 0.<digits> x 10^point.
struct Decimal {
    std::string digits;
    int point = 0;
};

Decimal shortestDecimal(double magnitude) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string text(buffer, result.ptr); // "d.ddde+XX"
    size_t e = text.find('e');
    Decimal decimal;
    for (size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            decimal.digits += text[i];
    }
    decimal.point = std::atoi(text.c_str() + e + 1) + 1;
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    return decimal;
}

// Rounds to `fraction` digits after the point, halves to even.
void roundDecimal(Decimal& decimal, int fraction) {
    long long keep = static_cast<long long>(decimal.point) + fraction;
    if (keep >= static_cast<long long>(decimal.digits.size()))
        return;
    if (keep < 0) {
        decimal.digits.assign(1, '0');
        decimal.point = 1;
        return;
    }
    const std::string& d = decimal.digits;
    size_t k = static_cast<size_t>(keep);
    bool up;
    if (d[k] != '5')
        up = d[k] > '5';
    else if (d.find_first_not_of('0', k + 1) != std::string::npos)
        up = true;
    else
        up = k > 0 && (d[k - 1] - '0') % 2 == 1;
    std::string kept = d.substr(0, k);
    if (up) {
        size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9')
            kept[--i] = '0';
        if (i == 0) {
            kept.insert(kept.begin(), '1');
            ++decimal.point;
        } else {
            ++kept[i - 1];
        }
    }
    if (kept.find_first_not_of('0') == std::string::npos) {
        decimal.digits.assign(1, '0');
        decimal.point = 1;
        return;
    }
    decimal.digits = kept;
}

} // namespace

std::shared_ptr<NumberFormatter> NumberFormatter::create() {
    return std::shared_ptr<NumberFormatter>(new NumberFormatter());
}

void NumberFormatter::setMinimumFractionDigits(int digits) {
    minimumFractionDigits_ = clampDigits(digits);
    maximumFractionDigits_ = std::max(maximumFractionDigits_, minimumFractionDigits_);
}

void NumberFormatter::setMaximumFractionDigits(int digits) {
    maximumFractionDigits_ = clampDigits(digits);
    minimumFractionDigits_ = std::min(minimumFractionDigits_, maximumFractionDigits_);
}

void NumberFormatter::applyDecimals(int decimals) {
    setMinimumFractionDigits(decimals);
    setMaximumFractionDigits(decimals);
    setUsesGroupingSeparator(true);
}

QString NumberFormatter::string(double value) const {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("∞") : QStringLiteral("-∞");

    Decimal decimal;
    if (value == 0) {
        decimal.digits.assign(1, '0');
        decimal.point = 1;
    } else {
        decimal = shortestDecimal(std::abs(value));
        roundDecimal(decimal, maximumFractionDigits_);
    }
    bool zero = decimal.digits == "0";

    // Integer part, then the fraction part, from the digits and the point.
    const std::string& d = decimal.digits;
    const long long count = static_cast<long long>(d.size());
    auto digitAt = [&](long long i) { return i >= 0 && i < count ? d[size_t(i)] : '0'; };
    std::string integer;
    for (long long i = 0; i < decimal.point; ++i)
        integer += digitAt(i);
    if (integer.empty())
        integer.assign(1, '0');
    std::string fraction;
    for (long long i = 0; i < maximumFractionDigits_; ++i)
        fraction += digitAt(decimal.point + i);
    size_t length = fraction.find_last_not_of('0');
    length = length == std::string::npos ? 0 : length + 1;
    fraction.resize(std::max(length, static_cast<size_t>(minimumFractionDigits_)));

    std::string text;
    if (value < 0 && !zero)
        text += '-';
    if (usesGroupingSeparator_) {
        for (size_t i = 0; i < integer.size(); ++i) {
            if (i > 0 && (integer.size() - i) % 3 == 0)
                text += ',';
            text += integer[i];
        }
    } else {
        text += integer;
    }
    if (!fraction.empty())
        text += '.' + fraction;
    return QString::fromLatin1(text);
}

} // namespace charting
