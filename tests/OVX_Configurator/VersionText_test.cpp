// A version byte as the status bar shows it: high nibble "." low nibble, in decimal.

#include "OVX_Configurator/utils/VersionText.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionText, ShowsBothNibblesInDecimal) {
    const struct {
        std::uint8_t byte;
        const char* shown;
    } cases[] = {{0x32, "V3.2"}, {0x18, "V1.8"}, {0x2A, "V2.10"}, {0x2F, "V2.15"},
                 {0x00, "V0.0"}, {0xFF, "V15.15"}};
    for (const auto& c : cases)
        EXPECT_EQ(versionText(c.byte), QString::fromLatin1(c.shown)) << int(c.byte);
}

} // namespace
