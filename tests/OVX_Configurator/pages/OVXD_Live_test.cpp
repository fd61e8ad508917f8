// The OVXD page's live values: channels in percent of the reply's full scale, outputs against
// the reply's travel span (four with marks, the fifth without), the status with seven states,
// and the sensor tab's charts, against the simulated unit.

#include "OvxdPage.h"

#include "Charting/views/LineChartView.h"
#include "OVX_Configurator/Localization.h"

#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testsupport::OvxdPage;
using testsupport::words;

// A "STCK" payload: an unused word, the full scale, seven channel values (missing ones 0).
QByteArray stick(int fullScale, std::initializer_list<int> channels) {
    QByteArray payload = words({0, fullScale}) + words(channels);
    payload.resize(18, '\0');
    return payload;
}

TEST(OvxdLive, EachLiveTabShowsTheUnitsValues) {
    OvxdPage s;
    s.selectTab("Receiver");
    s.unit.setPollPayload("STCK", stick(1000, {250, -250, 0, 0, 0, 0, 1000}));
    s.advance(0.1);
    const QList<QProgressBar*> bars = s.page->rcGroup();
    ASSERT_TRUE(s.waitLong([&] { return bars[6]->value() == 250; }));
    EXPECT_EQ(bars[0]->value(), 175);
    EXPECT_EQ(s.page->rcRateGroup()[0]->text(), "+25%");
    EXPECT_EQ(s.page->rcValueGroup()[1]->text(), "-250");

    s.selectTab("OutputServos");
    s.unit.setPollPayload("SERV", words({0, 400, 1000, 1100, 1200, 1300, //
                                         1500, 1500, 1500, 1500, 1700}));
    s.advance(0.1);
    const QList<QLabel*> texts = s.page->outValueGroup();
    ASSERT_TRUE(s.waitLong([&] { return texts[4]->text() == "1700"; }));
    EXPECT_EQ(texts[0]->text(), "1000");
    EXPECT_EQ(s.page->outGroup()[3]->value(), 1300);
    EXPECT_EQ(s.page->outGroup()[4]->value(), 1700);

    s.selectTab("Sensor");
    s.unit.setPollPayload("SNSR", words({16384, 0, 0, 8192, 0, 0, 455, 0}));
    s.advance(0.1);
    QLabel* angleX = s.control<QLabel>("txtAngleX");
    ASSERT_TRUE(s.waitLong([&] { return angleX->text() == QString::fromUtf8("45.5\u00B0"); }));
    EXPECT_EQ(s.control<QLabel>("txtGyroX")->text(), "1000.0");
    EXPECT_EQ(s.page->sensorCharts.gyroChart, s.control<charting::LineChartView>("gyroChart"));
    EXPECT_NE(s.page->sensorCharts.currentChartIndex, 0);
}

TEST(OvxdLive, StatusHasSevenStatesAndTheAngleMode) {
    OvxdPage s;
    struct Case {
        int state, mode;
        const char *stateKey, *modeKey;
    } cases[] = {{9, 3, "HOVER_CALIBRATING", "ANGLE_MODE"},
                 {6, 255, "HOVER_CALIBRATING", "USER_MODE"},
                 {2, 0, "NOSIGNAL", "OFF_MODE"}};
    for (const Case& c : cases) {
        QByteArray info(11, '\0');
        info[0] = char(c.state);
        info[2] = char(c.mode);
        s.page->decodeInfoReply(info);
        EXPECT_EQ(s.main->statusSystemState->text(), localized(c.stateKey)) << c.state;
        EXPECT_EQ(s.main->statusFlightMode->text(), localized(c.modeKey)) << c.mode;
    }
}

TEST(OvxdLive, ChannelsInPercentOfTheFullScale) {
    OvxdPage s;
    struct Case {
        int fullScale, value, level;
        const char *rate, *text;
    } cases[] = {
        {1000, 1500, 300, "+150%", "+1500"}, // the limit
        {1000, 2000, 300, "+150%", "+2000"},
        {1000, -2000, 0, "-150%", "-2000"},
        {1000, -5, 150, "0%", "-5"}, // -0.5 % truncated toward zero
        {1000, 5, 150, "+0%", "+5"},
        {1000, 0, 150, "0%", "0"},
        {1000, 999, 249, "+99%", "+999"},
        {-1000, 500, 100, "-50%", "+500"}, // a negative full scale turns the share round
        {-1000, -500, 200, "+50%", "-500"},
        {-1000, 5, 150, "0%", "+5"},
        {-1000, -5, 150, "+0%", "-5"},
        {-1000, 32767, 0, "-150%", "+32767"},
        {1, -32768, 0, "-150%", "-32768"}, // no overflow
    };
    const QList<QProgressBar*> bars = s.page->rcGroup();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fullScale << " " << c.value);
        // The value on channel 3; the other channels show 0.
        s.page->decodeStickReply(stick(c.fullScale, {0, 0, c.value}));
        EXPECT_EQ(bars[2]->value(), c.level);
        EXPECT_EQ(s.page->rcRateGroup()[2]->text(), c.rate);
        EXPECT_EQ(s.page->rcValueGroup()[2]->text(), c.text);
        EXPECT_EQ(bars[0]->value(), 150);
    }

    // A full scale of 0 changes nothing, nor does a short reply.
    s.page->decodeStickReply(stick(1000, {100, 200, 300, 400, 500, 600, 700}));
    auto shown = [&] {
        QStringList all;
        for (int i = 0; i < 7; ++i)
            all << QString::number(bars[i]->value()) + s.page->rcRateGroup()[i]->text() +
                       s.page->rcValueGroup()[i]->text();
        return all;
    };
    const QStringList before = shown();
    EXPECT_EQ(before[6], "220+70%+700");
    s.page->decodeStickReply(stick(0, {-700, -600, -500, -400, -300, -200, -100}));
    EXPECT_EQ(shown(), before);
    s.page->decodeStickReply(stick(1000, {-700}).left(17));
    EXPECT_EQ(shown(), before);
}

// The rate text is the channel's percentage, whatever part of it the bar can show: a layout
// may give the bar a narrower range, and a text read back from the bar would then be wrong.
TEST(OvxdLive, TheRateTextComesFromTheValueNotFromTheBar) {
    OvxdPage s;
    QProgressBar* bar = s.page->rcGroup()[1];
    bar->setRange(100, 200); // shows -50 % .. +50 % only
    struct Case {
        int fullScale, value, level;
        const char* rate;
    } cases[] = {
        {1000, 1500, 200, "+150%"},
        {1000, 800, 200, "+80%"},
        {1000, 400, 190, "+40%"},
        {1000, -999, 100, "-99%"},
        {1000, -2000, 100, "-150%"},
        {-1000, 700, 100, "-70%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fullScale << " " << c.value);
        s.page->decodeStickReply(stick(c.fullScale, {0, c.value}));
        EXPECT_EQ(bar->value(), c.level);
        EXPECT_EQ(s.page->rcRateGroup()[1]->text(), c.rate);
    }
}

TEST(OvxdLive, OutputMarksFollowTheShownTravelLimitsAndStayOnTheBar) {
    OvxdPage s;
    const QList<QSpinBox*> limits = s.page->travelLimitGroup();
    // Outputs 1-4: 100/100 %, 150/above 150 %, 0/0 %, 100/100 % near the ends of the bar.
    const int travel[8] = {100, 100, 150, limits[3]->maximum(), 0, 0, 100, 100};
    for (int i = 0; i < 8; ++i)
        limits[i]->setValue(travel[i]);
    ASSERT_GT(limits[3]->value(), 150);
    // Span 400: 100 % travel stands for 400. Neutral values: 1500, 1500, 1200, 2220.
    s.page->decodeServoReply(words({0, 400, 600, 2500, 1500, 1500, //
                                    1500, 1500, 1200, 2220, 1234}));

    const QList<QProgressBar*> bars = s.page->outGroup();
    const QList<QLabel*> texts = s.page->outValueGroup();
    EXPECT_EQ(bars[0]->value(), 800);
    EXPECT_EQ(texts[0]->text(), "600");
    EXPECT_EQ(bars[1]->value(), 2220);
    EXPECT_EQ(texts[1]->text(), "2500");
    EXPECT_EQ(bars[4]->value(), 1234);
    EXPECT_EQ(texts[4]->text(), "1234");

    // Bars are 240 wide over 800..2220; limit marks are kept within 0..239.
    ASSERT_EQ(bars[0]->geometry().width(), 240);
    auto at = [&](double value) { return int(std::lround(bars[0]->x() + (value - 800) * 240 / 1420)); };
    const QList<QLabel*> neutral = s.page->neutralMarkGroup();
    const QList<QLabel*> left = s.page->leftLimitMarkGroup();
    const QList<QLabel*> right = s.page->rightLimitMarkGroup();
    ASSERT_EQ(neutral.size(), 4); // output 5 has no marks
    EXPECT_EQ(neutral[0]->x(), at(1500));
    EXPECT_EQ(left[0]->x(), at(1100));
    EXPECT_EQ(right[0]->x(), at(1900));
    EXPECT_EQ(left[1]->x(), at(900));   // 150 % of 400
    EXPECT_EQ(right[1]->x(), at(2100)); // above 150 % counts as 150 %
    EXPECT_EQ(left[2]->x(), neutral[2]->x());
    EXPECT_EQ(right[2]->x(), neutral[2]->x());
    EXPECT_EQ(neutral[3]->x(), at(2220)); // the neutral mark is not held on the bar
    EXPECT_EQ(right[3]->x(), bars[3]->x() + 239);
    EXPECT_EQ(left[3]->x(), at(1820));
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(neutral[i]->isHidden()) << i;

    // A limit mark left of the bar sits at its left edge.
    s.page->decodeServoReply(words({0, 400, 1500, 1500, 1500, 1500, //
                                    900, 1500, 1500, 1500, 1500}));
    EXPECT_EQ(left[0]->x(), bars[0]->x());
    EXPECT_EQ(neutral[0]->x(), at(900));

    // A bar whose range is empty moves no mark.
    bars[0]->setRange(1500, 1500);
    neutral[0]->move(17, neutral[0]->y());
    left[0]->move(18, left[0]->y());
    s.page->decodeServoReply(words({0, 400, 1500, 1500, 1500, 1500, //
                                    1200, 1500, 1500, 1500, 1500}));
    EXPECT_EQ(neutral[0]->x(), 17);
    EXPECT_EQ(left[0]->x(), 18);
    EXPECT_EQ(bars[0]->value(), 1500);

    // A short reply changes nothing.
    s.page->decodeServoReply(words({0, 400, 900, 900, 900, 900, 1500, 1500, 1500, 1500}));
    EXPECT_EQ(texts[1]->text(), "1500");
}

} // namespace
