#include "OVX_Configurator/HexString.h"

std::optional<std::int64_t> hexStringToInt(const QString& text) {
    const QByteArray bytes = text.toUpper().toUtf8();
    std::int64_t value = 0;
    for (char c : bytes) {
        int byte = static_cast<unsigned char>(c);
        int digit = byte - 48;
        if (byte >= 65)
            digit -= 7;
        if (__builtin_mul_overflow(value, std::int64_t{16}, &value) ||
            __builtin_add_overflow(value, std::int64_t{digit}, &value))
            return std::nullopt;
    }
    return value;
}
