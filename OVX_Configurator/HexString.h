#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The value of a hexadecimal text from the release lists (device identifiers, versions).
// The text is upper-cased; an empty text gives 0; each byte of its UTF-8 form adds
// (byte - 48), less a further 7 from "A" (65) on, to 16 times the value so far. No character is
// rejected ("G" counts 16, "0x10" gives 8464). A value that does not fit a signed 64-bit integer
// gives no value.
std::optional<std::int64_t> hexStringToInt(const QString& text);
