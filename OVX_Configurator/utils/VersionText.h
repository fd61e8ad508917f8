#pragma once

#include <QString>

#include <cstdint>

// A version byte as the status bar shows it: "V", the high nibble, ".", the low nibble, both in
// decimal digits (0x32 gives "V3.2", 0x1A gives "V1.10").
QString versionText(std::uint8_t version);
