#pragma once

#include <string_view>

// Stops for programming errors in the charting module (through platform::fatal).
namespace charting {

// "<operation> is not implemented in <className>": an abstract operation called on a base class.
[[noreturn]] void notImplemented(std::string_view operation, std::string_view className);

// An enumeration raw value outside its cases reached an operation that must tell them apart.
[[noreturn]] void unexpectedEnumValue(std::string_view operation, std::string_view enumName,
                                      long long rawValue);

// A list operation called with a position or count outside the list.
[[noreturn]] void outOfRange(std::string_view operation, long long position, long long count);

} // namespace charting
