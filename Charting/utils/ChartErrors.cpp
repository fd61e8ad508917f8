#include "Charting/utils/ChartErrors.h"

#include "platform/Fatal.h"

#include <string>

namespace charting {

void notImplemented(std::string_view operation, std::string_view className) {
    platform::fatal(std::string(operation) + " is not implemented in " + std::string(className));
}

void unexpectedEnumValue(std::string_view operation, std::string_view enumName,
                         long long rawValue) {
    platform::fatal(std::string(operation) + ": unexpected " + std::string(enumName) + " value " +
                    std::to_string(rawValue));
}

void outOfRange(std::string_view operation, long long position, long long count) {
    platform::fatal(std::string(operation) + ": position " + std::to_string(position) +
                    " outside a list of " + std::to_string(count));
}

} // namespace charting
