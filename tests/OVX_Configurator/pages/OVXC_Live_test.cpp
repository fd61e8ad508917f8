// The OVXC page's live values: its polls, the status with seven states, the nine receiver
// channels in percent of the full scale, and the five outputs with all their marks.

#include "OvxcPage.h"

#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/views/LineChartView.h"
#include "OVX_Configurator/Localization.h"

#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testsupport::OvxcPage;
using testsupport::words;


// Bar, rate text and value text of receiver channel `i` (0-based).
std::tuple<int, QString, QString> shownChannel(OvxcPage& s, int i) {
    return {s.page->rcGroup()[i]->value(), s.page->rcRateGroup()[i]->text(),
            s.page->rcValueGroup()[i]->text()};
}

TEST(OvxcLive, ChannelsInPercentOfTheFullScale) {
    struct Case {
        int value;
        int bar;
        const char* rate;
        const char* raw;
    };
    // Full scale 1000.
    const Case cases[] = {{1500, 300, "+150%", "+1500"}, {-2000, 0, "-150%", "-2000"},
                          {-5, 150, "0%", "-5"},         {250, 175, "+25%", "+250"},
                          {0, 150, "0%", "0"},           {999, 249, "+99%", "+999"},
                          {-1001, 50, "-100%", "-1001"}, {32767, 300, "+150%", "+32767"},
                          {-32768, 0, "-150%", "-32768"}};
    OvxcPage s;
    QByteArray payload = words({0, 1000});
    for (const Case& c : cases)
        payload += words({c.value});
    s.page->decodeStickReply(payload);
    for (int i = 0; i < 9; ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(shownChannel(s, i), std::make_tuple(c.bar, QString(c.rate), QString(c.raw)))
            << c.value;
    }

    // A negative full scale turns every percentage round: "+" goes with a positive percentage
    // only, never in front of a minus sign.
    payload = words({0, -1000, 250, -250, 0, 0, 0, 0, 0, 0, 0});
    s.page->decodeStickReply(payload);
    EXPECT_EQ(shownChannel(s, 0), std::make_tuple(125, QString("-25%"), QString("+250")));
    EXPECT_EQ(shownChannel(s, 1), std::make_tuple(175, QString("+25%"), QString("-250")));

    // A full scale of 0 or a short reply changes nothing.
    const auto before = shownChannel(s, 0);
    s.page->decodeStickReply(words({0, 0, 500, 500, 500, 500, 500, 500, 500, 500, 500}));
    s.page->decodeStickReply(words({0, 1000, 500}));
    EXPECT_EQ(shownChannel(s, 0), before);
}

TEST(OvxcLive, OutputsTheirBarsAndMarks) {
    OvxcPage s;
    QList<QSpinBox*> limits = s.page->travelLimitGroup();
    const int travels[10] = {100, 100, 200, 50, 0, 150, 100, 100, 100, 100};
    for (int i = 0; i < 10; ++i)
        limits[i]->setValue(travels[i]);
    // Span 400; outputs; neutral values.
    s.page->decodeServoReply(
        words({0, 400, 600, 2500, 1500, 1000, 2200, 1500, 1500, 1500, 900, 2100}));
    const QList<QProgressBar*> bars = s.page->outGroup();
    const QList<QLabel*> texts = s.page->outValueGroup();
    const int shownBars[5] = {800, 2220, 1500, 1000, 2200};
    const char* shownTexts[5] = {"600", "2500", "1500", "1000", "2200"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bars[i]->value(), shownBars[i]) << i;
        EXPECT_EQ(texts[i]->text(), shownTexts[i]) << i;
    }
    const QList<QLabel*> neutral = s.page->neutralMarkGroup();
    const QList<QLabel*> left = s.page->leftLimitMarkGroup();
    const QList<QLabel*> right = s.page->rightLimitMarkGroup();
    const double w = bars[0]->width();
    auto at = [&](double value) {
        return static_cast<int>(std::lround((value - 800) * w / 1420));
    };
    const int x0 = bars[0]->x();
    EXPECT_EQ(neutral[0]->x() - x0, at(1500));
    EXPECT_EQ(left[0]->x() - x0, at(1100));
    EXPECT_EQ(right[0]->x() - x0, at(1900));
    EXPECT_EQ(left[1]->x() - x0, at(1500 - 600)); // 200 % counts as 150 %
    EXPECT_EQ(right[1]->x() - x0, at(1700));
    EXPECT_EQ(left[2]->x() - x0, at(1500));        // 0 %
    EXPECT_EQ(left[3]->x() - x0, 0);               // left of the bar: at its left edge
    EXPECT_EQ(neutral[3]->x() - x0, at(900));
    EXPECT_EQ(right[4]->x() - x0, static_cast<int>(w) - 1); // beyond its right edge
    for (const QList<QLabel*>& marks : {neutral, left, right})
        for (QLabel* mark : marks)
            EXPECT_FALSE(mark->isHidden()) << mark->objectName().toStdString();
}

TEST(OvxcLive, MarksOfAnEmptyRangeStayWhereTheyAre) {
    OvxcPage s;
    QProgressBar* bar = s.page->outGroup()[2];
    QLabel* marks[3] = {s.page->neutralMarkGroup()[2], s.page->leftLimitMarkGroup()[2],
                        s.page->rightLimitMarkGroup()[2]};
    for (QLabel* mark : marks)
        mark->move(17, mark->y());
    bar->setRange(1500, 1500);
    s.page->decodeServoReply(words({0, 400, 1500, 1500, 1500, 1500, 1500, 1200, 1200, 1200, 1200, 1200}));
    for (QLabel* mark : marks)
        EXPECT_EQ(mark->x(), 17) << mark->objectName().toStdString();
    EXPECT_EQ(bar->value(), 1500);
}

TEST(OvxcLive, SensorTabShowsScaledValuesInItsCharts) {
    OvxcPage s;
    s.selectTab("Sensor");
    SensorCharts& charts = s.page->sensorCharts;
    ASSERT_EQ(charts.gyroChart, s.control<charting::LineChartView>("gyroChart"));
    ASSERT_EQ(charts.accChart, s.control<charting::LineChartView>("accChart"));
    // One-g values of 8192 in the block (the unit's default).
    s.unit.setPollPayload("SNSR", words({16384, 0, 0, -4096, 0, 0, 455, 0}));
    s.advance(0.2);
    QLabel* gyroX = s.control<QLabel>("txtGyroX");
    ASSERT_TRUE(s.waitLong([&] { return gyroX->text() == "1000.0"; }));
    EXPECT_EQ(s.control<QLabel>("txtAccX")->text(), "-0.5");
    EXPECT_EQ(s.control<QLabel>("txtAngleX")->text(), QString::fromUtf8("45.5\u00B0"));
    const auto gyro = charts.gyroChartData->dataSets()[0];
    const auto acc = charts.accChartData->dataSets()[0];
    bool seen = false;
    for (int j = 0; j < gyro->entryCount(); ++j)
        seen = seen || (gyro->entryForIndex(j)->y() == 1000 && acc->entryForIndex(j)->y() == -0.5);
    EXPECT_TRUE(seen);
}

TEST(OvxcLive, StatusHasSevenStates) {
    OvxcPage s;
    QByteArray info(11, '\0');
    info[0] = 9;
    info[2] = 3;
    s.page->decodeInfoReply(info);
    EXPECT_EQ(s.main->statusSystemState->text(), localized("HOVER_CALIBRATING"));
    EXPECT_EQ(s.main->statusFlightMode->text(), localized("ANGLE_MODE"));
}

TEST(OvxcLive, TheReceiverAndServoTabsPollTheirLongReplies) {
    OvxcPage s;
    s.selectTab("Receiver");
    s.unit.setPollPayload("STCK", words({0, 1000, 250, 0, 0, 0, 0, 0, 0, 0, -1000}));
    s.advance(0.2);
    ASSERT_TRUE(s.waitLong([&] { return s.page->rcGroup()[8]->value() == 50; }));
    EXPECT_EQ(s.page->rcRateGroup()[0]->text(), "+25%");

    s.selectTab("OutputServos");
    s.unit.setPollPayload("SERV", words({0, 400, 1100, 1200, 1300, 1400, 1600}));
    s.advance(0.2);
    ASSERT_TRUE(s.waitLong([&] { return s.page->outValueGroup()[4]->text() == "1600"; }));
    EXPECT_EQ(s.page->outGroup()[0]->value(), 1100);
}

} // namespace
