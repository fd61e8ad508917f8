#include "OVX_Configurator/BuildNumber.h"

#include <QStringList>

#include <algorithm>

namespace {

// The components without leading zeros, or none when one is not a run of digits.
std::optional<QStringList> components(const QString& text) {
    QStringList parts = text.split(QLatin1Char('.'));
    for (QString& part : parts) {
        if (part.isEmpty())
            return std::nullopt;
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
        qsizetype zeros = 0;
        while (zeros < part.size() - 1 && part[zeros] == QLatin1Char('0'))
            ++zeros;
        part.remove(0, zeros);
    }
    return parts;
}

// Digit runs without leading zeros order by length, then digit by digit.
std::strong_ordering compareNumbers(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return a.size() <=> b.size();
    const int c = QString::compare(a, b);
    return c <=> 0;
}

} // namespace

std::optional<std::strong_ordering> compareBuildNumbers(const QString& a, const QString& b) {
    const std::optional<QStringList> left = components(a);
    const std::optional<QStringList> right = components(b);
    if (!left || !right)
        return std::nullopt;
    const qsizetype count = std::max(left->size(), right->size());
    const QString zero = QStringLiteral("0");
    for (qsizetype i = 0; i < count; ++i) {
        const QString& l = i < left->size() ? left->at(i) : zero;
        const QString& r = i < right->size() ? right->at(i) : zero;
        if (auto order = compareNumbers(l, r); order != 0)
            return order;
    }
    return std::strong_ordering::equal;
}
