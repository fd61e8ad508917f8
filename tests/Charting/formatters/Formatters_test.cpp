#include "Charting/data/ChartDataEntry.h"
#include "Charting/formatters/DefaultAxisValueFormatter.h"
#include "Charting/formatters/DefaultValueFormatter.h"
#include "Charting/formatters/IndexAxisValueFormatter.h"
#include "Charting/utils/NumberFormatter.h"
#include "Charting/utils/NumberText.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <limits>
#include <locale>

using namespace charting;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::shared_ptr<NumberFormatter> withDecimals(int decimals) {
    auto f = NumberFormatter::create();
    f->applyDecimals(decimals);
    return f;
}
} // namespace

TEST(NumberFormatter, TextsForValuesAndDecimals) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {1234.5678, 1, "1,234.6"},
        {-1234.5678, 2, "-1,234.57"},
        {0, 1, "0.0"},
        {-0.04, 1, "0.0"}, // rounds to zero: no sign
        {-0.06, 1, "-0.1"},
        {999.96, 1, "1,000.0"},
        {1234567.0, 0, "1,234,567"},
        {0.15, 1, "0.2"}, // halves to even on the shortest decimal form
        {0.25, 1, "0.2"},
        {2.5, 0, "2"},
        {3.5, 0, "4"},
        {0.0001234, 6, "0.000123"},
        {1e-300, 2, "0.00"},
        {1e21, 1, "1,000,000,000,000,000,000,000.0"},
        {123.456, -3, "123"}, // a negative count counts as 0
        {kNaN, 2, "NaN"},
        {kInf, 2, "∞"},
        {-kInf, 2, "-∞"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withDecimals(c.decimals)->string(c.value), QString::fromUtf8(c.text))
            << c.value << " with " << c.decimals;

    // A plain formatter: no fraction digits, no grouping.
    auto plain = NumberFormatter::create();
    EXPECT_EQ(plain->string(12345.6), "12346");
    // Fewer digits than the maximum when the value needs fewer, but never below the minimum.
    plain->setMaximumFractionDigits(3);
    EXPECT_EQ(plain->string(1.5), "1.5");
    plain->setMinimumFractionDigits(2);
    EXPECT_EQ(plain->string(1.5), "1.50");
    EXPECT_EQ(plain->string(1.23456), "1.235");
    plain->setMaximumFractionDigits(1); // lowers the minimum with it
    EXPECT_EQ(plain->minimumFractionDigits(), 1);
}

TEST(NumberText, ShortestTexts) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {2, "2.0"},
        {0.25, "0.25"},
        {-3.5, "-3.5"},
        {-0.0, "-0.0"},
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333333"},
        {123456.0, "123456.0"},
        {1e300, "1e+300"},
        {kNaN, "nan"},
        {kInf, "inf"},
        {-kInf, "-inf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shortestText(c.value), c.text) << c.text;
}

namespace {
// A C++ locale that writes a decimal comma and groups with dots.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
} // namespace

TEST(NumberFormatter, IgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    QLocale savedDefault;
    std::locale savedGlobal;
    bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German));
    std::locale::global(std::locale(std::locale::classic(), new CommaPunct));

    EXPECT_EQ(withDecimals(2)->string(1234.5), "1,234.50");
    EXPECT_EQ(shortestText(1234.5), "1234.5");
    EXPECT_EQ(DefaultAxisValueFormatter::create()->stringForValue(-0.75, nullptr), "-1");

    std::locale::global(savedGlobal);
    QLocale::setDefault(savedDefault);
    std::setlocale(LC_ALL, saved.c_str());
    if (!german)
        GTEST_LOG_(INFO) << "de_DE.UTF-8 not installed; only Qt's and C++'s locales were changed";
}

TEST(DefaultValueFormatter, Initialisers) {
    auto plain = DefaultValueFormatter::create();
    EXPECT_TRUE(plain->hasAutoDecimals());
    EXPECT_EQ(plain->decimals(), 1);
    ASSERT_TRUE(plain->formatter());
    EXPECT_EQ(plain->formatter()->minimumFractionDigits(), 1);
    EXPECT_EQ(plain->formatter()->maximumFractionDigits(), 1);
    EXPECT_TRUE(plain->formatter()->usesGroupingSeparator());
    EXPECT_EQ(plain->stringForValue(1234.56, nullptr, 0, nullptr), "1,234.6");

    plain->setDecimals(3);
    EXPECT_EQ(plain->formatter()->minimumFractionDigits(), 3);
    EXPECT_EQ(plain->formatter()->maximumFractionDigits(), 3);
    plain->setDecimals(std::nullopt);
    EXPECT_EQ(plain->formatter()->maximumFractionDigits(), 3);
    plain->setDecimals(-2);
    EXPECT_EQ(plain->stringForValue(7.25, nullptr, 0, nullptr), "7");

    auto three = DefaultValueFormatter::create(3);
    EXPECT_EQ(three->decimals(), 3);
    EXPECT_TRUE(three->hasAutoDecimals());
    EXPECT_EQ(three->stringForValue(-0.5, nullptr, 0, nullptr), "-0.500");

    auto own = NumberFormatter::create();
    auto given = DefaultValueFormatter::create(own);
    EXPECT_EQ(given->formatter(), own);
    EXPECT_FALSE(given->hasAutoDecimals());
    EXPECT_FALSE(given->decimals().has_value());

    auto entry = ChartDataEntry::create(4, 5);
    auto block = DefaultValueFormatter::withBlock(
        [](double v, const std::shared_ptr<ChartDataEntry>& e, int index, ViewPortHandler*) {
            return QStringLiteral("%1@%2#%3").arg(v).arg(e->x()).arg(index);
        });
    EXPECT_FALSE(block->hasAutoDecimals());
    EXPECT_EQ(block->stringForValue(5, entry, 2, nullptr), "5@4#2");
    block->setDecimals(4); // no formatter: the closure still decides
    EXPECT_EQ(block->stringForValue(5, entry, 2, nullptr), "5@4#2");

    three->setFormatter(nullptr);
    EXPECT_FALSE(three->hasAutoDecimals());
    EXPECT_EQ(three->stringForValue(1, nullptr, 0, nullptr), "");
}

TEST(DefaultAxisValueFormatter, Initialisers) {
    auto plain = DefaultAxisValueFormatter::create();
    EXPECT_TRUE(plain->hasAutoDecimals());
    EXPECT_FALSE(plain->decimals().has_value());
    ASSERT_TRUE(plain->formatter());
    EXPECT_EQ(plain->formatter()->maximumFractionDigits(), 0);
    EXPECT_FALSE(plain->formatter()->usesGroupingSeparator());
    EXPECT_EQ(plain->stringForValue(1500, nullptr), "1500");
    plain->setDecimals(2);
    EXPECT_EQ(plain->stringForValue(1500, nullptr), "1,500.00");

    auto two = DefaultAxisValueFormatter::create(2);
    EXPECT_EQ(two->decimals(), 2);
    EXPECT_EQ(two->stringForValue(-1e6, nullptr), "-1,000,000.00");
    two->setFormatter(withDecimals(1));
    EXPECT_FALSE(two->hasAutoDecimals());
    EXPECT_EQ(two->stringForValue(0.25, nullptr), "0.2");

    auto block = DefaultAxisValueFormatter::create(
        [](double v, AxisBase*) { return QStringLiteral("v=%1").arg(v); });
    block->setDecimals(3);
    block->setFormatter(withDecimals(1));
    EXPECT_EQ(block->stringForValue(2, nullptr), "v=2");

    two->setFormatter(nullptr);
    EXPECT_EQ(two->stringForValue(2, nullptr), "");
}

TEST(IndexAxisValueFormatter, NamesWholeishValues) {
    auto f = IndexAxisValueFormatter::withValues({"a", "b", "c"});
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{0, "a"},  {1.4, "b"}, {2.0, "c"}, {2.4, "c"},  {2.5, ""},
                          {2.6, ""}, {2.9, ""},  {3.0, ""},  {-0.3, "a"}, {-0.5, ""},
                          {-1, ""},  {kNaN, ""}, {kInf, ""}, {1e300, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(f->stringForValue(c.value, nullptr), c.text) << c.value;
    EXPECT_EQ(IndexAxisValueFormatter::create()->stringForValue(0, nullptr), "");
}
