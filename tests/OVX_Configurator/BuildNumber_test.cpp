#include "OVX_Configurator/BuildNumber.h"

#include <gtest/gtest.h>

namespace {

struct BuildCase {
    const char* a;
    const char* b;
    std::optional<std::strong_ordering> order; // of a against b
};

TEST(CompareBuildNumbers, OrdersNumbersComponentByComponent) {
    using std::strong_ordering;
    const BuildCase cases[] = {
        {"100", "100", strong_ordering::equal},
        {"9", "10", strong_ordering::less}, // as text "9" would follow "10"
        {"100", "99", strong_ordering::greater},
        {"100", "101", strong_ordering::less},
        {"0100", "100", strong_ordering::equal},
        {"1.9", "1.10", strong_ordering::less},
        {"1.2", "1.2.0", strong_ordering::equal},
        {"1.2", "1.2.1", strong_ordering::less},
        {"2", "1.99", strong_ordering::greater},
        {"123456789012345678901234567890", "123456789012345678901234567891",
         strong_ordering::less}, // longer than any integer type
        {"", "100", std::nullopt},
        {"100", "", std::nullopt},
        {"1..2", "1.2", std::nullopt},
        {"1.2.", "1.2", std::nullopt},
        {"100", "101a", std::nullopt},
        {"100", "-5", std::nullopt},
        {"100", " 101", std::nullopt},
        {"100", "١٠١", std::nullopt}, // digits of another script
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(compareBuildNumbers(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.order);
    }
}

} // namespace
