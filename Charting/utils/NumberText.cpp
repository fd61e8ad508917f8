#include "Charting/utils/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace charting {

QString shortestText(double value) {
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return QString::fromLatin1(text);
}

QString className(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : type.name());
    int colons = name.lastIndexOf(QStringLiteral("::"));
    return colons >= 0 ? name.mid(colons + 2) : name;
}

} // namespace charting
