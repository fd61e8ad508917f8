// Reading the live poll replies: status limits, channel values, mark offsets, sensor scaling and
// the texts, for any model's counts and limits.

#include "OvxbPage.h"

#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "OVX_Configurator/pages/Telemetry.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace telemetry;
using testsupport::words;

TEST(Telemetry, StatusLimitsStateAndModeToTheModelsKeys) {
    struct Case {
        int stateByte, modeByte, stateCount, modeCount, state, mode;
    } cases[] = {
        {8, 7, 9, 7, 8, 6},     {9, 6, 9, 7, 8, 6}, {255, 255, 9, 7, 8, 6},
        {0, 0, 9, 7, 0, 0},     {9, 3, 7, 7, 6, 3}, // the seven-state models
        {5, 2, 9, 7, 5, 2},
    };
    for (const Case& c : cases) {
        QByteArray payload(11, '\0');
        payload[0] = char(c.stateByte);
        payload[1] = char(0x77); // passed over
        payload[2] = char(c.modeByte);
        payload[3] = char(0);
        const auto status = decodeStatus(payload, c.stateCount, c.modeCount);
        ASSERT_TRUE(status);
        EXPECT_EQ(status->systemState, c.state) << c.stateByte;
        EXPECT_EQ(status->flightMode, c.mode) << c.modeByte;
        EXPECT_EQ(status->masterGain, 0);
    }
    QByteArray flags(11, '\0');
    flags[3] = char(200);
    for (int k : {0, 2, 6})
        flags[4 + k] = char(k == 2 ? 5 : 1);
    const auto status = decodeStatus(flags, 9, 7);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->masterGain, 200);
    EXPECT_EQ(status->channelActive, (std::array<bool, 7>{true, false, true, false, false, false, true}));
    // A short payload is not read.
    EXPECT_FALSE(decodeStatus(QByteArray(10, '\1'), 9, 7));
    EXPECT_FALSE(decodeStatus(QByteArray(), 9, 7));
    EXPECT_FALSE(decodeStatus(flags, 0, 7));
}

TEST(Telemetry, ChannelValueTable) {
    struct Case {
        int value, level;
        const char *rate, *text;
    } cases[] = {
        {800, 2000, "+100", "+400"}, {-800, 400, "-100", "-400"}, {5, 1205, "+0", "+2"},
        {-5, 1195, "0", "-2"},        {0, 1200, "0", "0"},         {1300, 2400, "+162", "+650"},
        {-1300, 0, "-162", "-650"},   {32767, 2400, "+4095", "+16383"},
        {-32768, 0, "-4096", "-16384"}, {-8, 1192, "-1", "-4"},    {-7, 1193, "0", "-3"},
        {1, 1201, "+0", "+0"},        {-1, 1199, "0", "0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(channelLevel(c.value, 1200), c.level) << c.value;
        EXPECT_EQ(signedQuotientText(c.value, 8), QLatin1String(c.rate)) << c.value;
        EXPECT_EQ(signedQuotientText(c.value, 2), QLatin1String(c.text)) << c.value;
    }
    // Another model's centre.
    EXPECT_EQ(channelLevel(1500, 1000), 2000);
    EXPECT_EQ(channelLevel(-1200, 1000), 0);
    // Percent of a full scale, truncated and limited; a full scale of 0 shows nothing.
    EXPECT_EQ(channelPercent(1500, 1000, 150), 150);
    EXPECT_EQ(channelPercent(-2000, 1000, 150), -150);
    EXPECT_EQ(channelPercent(-5, 1000, 150), 0);
    EXPECT_EQ(channelPercent(250, -1000, 150), -25);
    EXPECT_EQ(channelPercent(32767, 1, 150), 150);
    EXPECT_FALSE(channelPercent(100, 0, 150));
}

TEST(Telemetry, TravelAndMarkOffsets) {
    struct Case {
        int limit, travel;
    } travels[] = {{100, 400}, {150, 600}, {151, 600}, {255, 600}, {0, 0}, {-5, 0}, {1, 4}};
    for (const Case& c : travels)
        EXPECT_EQ(OVXB_ViewController::travelOfLimit(c.limit), c.travel) << c.limit;

    // A bar 220 wide over 800..2220.
    EXPECT_DOUBLE_EQ(*markOffset(1500, 800, 2220, 220), 700.0 * 220 / 1420);
    EXPECT_DOUBLE_EQ(*markOffset(700, 800, 2220, 220), -100.0 * 220 / 1420); // not limited
    EXPECT_DOUBLE_EQ(*limitMarkOffset(700, 800, 2220, 220), 0);
    EXPECT_DOUBLE_EQ(*limitMarkOffset(3000, 800, 2220, 220), 219);
    EXPECT_DOUBLE_EQ(*limitMarkOffset(1100, 800, 2220, 220), 300.0 * 220 / 1420);
    // An empty range places nothing.
    EXPECT_FALSE(markOffset(1500, 1000, 1000, 220));
    EXPECT_FALSE(limitMarkOffset(1500, 1000, 1000, 220));
}

TEST(Telemetry, SensorScaling) {
    const std::array<int, 3> oneG{8192, 4096, 16384};
    const auto sample =
        decodeSensors(words({16384, -32768, 1, 8192, -4096, 8192, 455, -455}), 0, oneG, 0.1f, {});
    ASSERT_TRUE(sample);
    EXPECT_EQ(oneDecimalText(sample->gyro[0]), "1000.0");
    EXPECT_EQ(oneDecimalText(sample->gyro[1]), "-2000.0");
    EXPECT_FLOAT_EQ(sample->gyro[2], 2000.0f / 32768.0f);
    EXPECT_EQ(sample->acc, (std::array<float, 3>{1.0f, -1.0f, 0.5f}));
    EXPECT_EQ(angleText(sample->angle[0]), QString::fromUtf8("45.5\u00B0"));
    EXPECT_EQ(angleText(sample->angle[1]), QString::fromUtf8("-45.5\u00B0"));

    // Another model's layout: the words from an offset, angles in hundredths.
    QByteArray shifted(4, '\x7F');
    shifted += words({0, 0, 0, 0, 0, 0, -1234, 0});
    const auto hundredths = decodeSensors(shifted, 4, {8192, 8192, 8192}, 0.01f, {});
    ASSERT_TRUE(hundredths);
    EXPECT_EQ(angleText(hundredths->angle[0]), QString::fromUtf8("-12.3\u00B0"));
}

TEST(Telemetry, MissingOneGValuesKeepTheLastAccelerationAndShortInputReadsNothing) {
    SensorSample previous;
    previous.acc = {0.25f, -0.5f, 0.75f};
    const QByteArray payload = words({10, 20, 30, 8192, 8192, 8192, 1, 2});
    const auto sample = decodeSensors(payload, 0, {0, 8192, -1}, 0.1f, previous);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->acc, (std::array<float, 3>{0.25f, 1.0f, 0.75f}));
    for (float v : sample->acc)
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_FALSE(decodeSensors(payload.left(15), 0, {8192, 8192, 8192}, 0.1f, previous));
    EXPECT_FALSE(decodeSensors(payload, 2, {8192, 8192, 8192}, 0.1f, previous));

    // One-g values from the block: bytes 9-14, low byte first; none from a short block.
    QByteArray block(15, '\0');
    block[9] = char(0x00);
    block[10] = char(0x20);
    block[11] = char(0x34);
    block[12] = char(0x12);
    block[13] = char(0xFF);
    block[14] = char(0x7F);
    EXPECT_EQ(oneGValues(block), (std::array<int, 3>{8192, 0x1234, 32767}));
    EXPECT_EQ(oneGValues(block.left(14)), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(oneGValues(QByteArray()), (std::array<int, 3>{0, 0, 0}));
}

TEST(Telemetry, NumbersDoNotFollowTheLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(oneDecimalText(1.0f), "1.0");
    EXPECT_EQ(oneDecimalText(-1234.56f), "-1234.6");
    EXPECT_EQ(signedQuotientText(16000, 2), "+8000");
    QLocale::setDefault(saved);
}

} // namespace
