#pragma once

#include <QString>

#include <compare>
#include <optional>

// Orders two build numbers as numbers, component by component: "10" follows "9", "1.10"
// follows "1.9", and missing trailing components count as 0 ("2" equals "2.0"). A component is
// a run of ASCII digits of any length; a text with any other component (empty, a letter, a
// sign) cannot be ordered and gives no value.
std::optional<std::strong_ordering> compareBuildNumbers(const QString& a, const QString& b);
