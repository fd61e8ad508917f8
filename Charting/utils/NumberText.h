#pragma once

#include <QString>

#include <typeinfo>

namespace charting {

// The standard text of a double: the shortest decimal digits that read back as the same value,
// whole values with one digit after the point (2 -> "2.0", 0.25 -> "0.25"), exponent form for
// very large and very small values ("1e+300"), "nan", "inf" and "-inf". Never locale-dependent.
QString shortestText(double value);

// A class's name as the descriptions print it: the C++ type name without the namespace.
QString className(const std::type_info& type);

} // namespace charting
