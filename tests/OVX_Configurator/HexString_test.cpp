#include "OVX_Configurator/HexString.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct HexCase {
    const char* text;
    std::optional<std::int64_t> value;
};

TEST(HexStringToInt, ParsesReleaseListTexts) {
    const HexCase cases[] = {
        {"", 0},
        {"AA", 170},
        {"a6", 166},
        {"1F", 31},
        {"12", 18},
        {"0x10", 8464}, // the x, upper-cased, counts 33
        {"G", 16},      // no character is rejected
        {"7FFFFFFFFFFFFFFF", std::numeric_limits<std::int64_t>::max()},
        {"8000000000000000", std::nullopt}, // one more does not fit
        {"FFFFFFFFFFFFFFFFFFFF", std::nullopt},
        {"123456789ABCDEF0123", std::nullopt},
    };
    for (const HexCase& c : cases)
        EXPECT_EQ(hexStringToInt(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(HexStringToInt, NegativeDigitsThatRunPastTheLowestValueGiveNoValue) {
    // A space counts 32 - 48 = -16: a long run of them walks the value down.
    EXPECT_EQ(hexStringToInt(QStringLiteral(" ")), -16);
    EXPECT_EQ(hexStringToInt(QString(40, QLatin1Char(' '))), std::nullopt);
}

} // namespace
