// The OVXB page's live values: the poll tick against the simulated unit, the status bar, the
// receiver, servo and sensor tabs, and the two sweeping charts.

#include "OvxbPage.h"
#include "support/EventCounter.h"

#include "Charting/components/XAxis.h"
#include "Charting/components/YAxis.h"
#include "Charting/data/ChartDataEntry.h"
#include "Charting/data/LineChartData.h"
#include "Charting/data/LineChartDataSet.h"
#include "Charting/views/LineChartView.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/SerialPort.h"

#include <QEvent>
#include <QLocale>
#include <QProgressBar>
#include <QTabWidget>

#include <gtest/gtest.h>


namespace {

using testsupport::OvxbPage;
using testsupport::words;

// The live polls the unit received, in order.
QList<QByteArray> polls(const OvxbPage& s) {
    QList<QByteArray> out;
    for (const QByteArray& frame : s.unit.frames())
        if (QList<QByteArray>{"INFO", "STCK", "SERV", "SNSR"}.contains(frame))
            out << frame;
    return out;
}

TEST(OvxbLive, EachTabPollsStatusAndItsOwnValuesInTurn) {
    OvxbPage s;
    struct Case {
        const char* tab;
        const char* poll;
    } cases[] = {{"Receiver", "STCK"},  {"OutputServos", "SERV"}, {"Sensor", "SNSR"},
                 {"Aircraft", "INFO"}, {"Gains", "INFO"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tab);
        s.selectTab(c.tab);
        s.page->timerFunctionCounter = 0;
        s.unit.clearRecord();
        s.advance(0.2);
        ASSERT_TRUE(s.waitLong([&] { return polls(s).size() == 4; }));
        EXPECT_EQ(polls(s), (QList<QByteArray>{"INFO", c.poll, "INFO", c.poll}));
    }
    // Without an open port nothing goes out; the alternation goes on.
    s.selectTab("Sensor");
    s.app->port->disconnect();
    s.page->timerFunctionCounter = 0;
    s.unit.clearRecord();
    s.advance(0.25);
    testsupport::pumpEvents(20);
    EXPECT_TRUE(s.unit.received().isEmpty());
    EXPECT_EQ(s.page->timerFunctionCounter, 1);
}

TEST(OvxbLive, NoPollGoesOutWhileARequestIsOutstanding) {
    OvxbPage s;
    s.selectTab("Sensor");
    testsupport::expectNoPollWhileAReadWaits(s, "SNSR");
}

TEST(OvxbLive, StatusReplyFillsTheStatusBar) {
    OvxbPage s;
    struct Case {
        int state, mode, gain;
        const char *stateKey, *modeKey;
    } cases[] = {{8, 7, 0, "SERVO_TRAVELLING", "USER_MODE"},
                 {255, 2, 80, "SERVO_TRAVELLING", "LOCK_MODE"},
                 {1, 1, 100, "STANDBY", "NORMAL_MODE"}};
    for (const Case& c : cases) {
        QByteArray info(11, '\0');
        info[0] = char(c.state);
        info[2] = char(c.mode);
        info[3] = char(c.gain);
        for (int k : {0, 2, 6})
            info[4 + k] = char(k == 2 ? 5 : 1);
        s.page->decodeInfoReply(info);
        EXPECT_EQ(s.main->statusSystemState->text(), localized(c.stateKey));
        EXPECT_EQ(s.main->statusFlightMode->text(), localized(c.modeKey));
        EXPECT_EQ(s.main->statusMasterGain->text(),
                  localized("MASTER_GAIN") + QString::number(c.gain) + "%");
        const QList<QLabel*> fields = s.main->channelLabels();
        for (int k = 0; k < 7; ++k) {
            const bool active = k == 0 || k == 2 || k == 6;
            EXPECT_EQ(fields[k]->autoFillBackground(), active) << k;
            if (active) {
                EXPECT_EQ(fields[k]->palette().color(QPalette::Window), QColor(0, 160, 0));
                EXPECT_EQ(fields[k]->palette().color(QPalette::WindowText), QColor(Qt::white));
            }
        }
    }
    // Through the unit: the state of the procedure that runs.
    QByteArray info(11, '\0');
    info[0] = char(4);
    s.unit.setPollPayload("INFO", info);
    s.advance(0.1);
    EXPECT_TRUE(s.waitLong(
        [&] { return s.main->statusSystemState->text() == localized("ACCEL_CALIBRATING"); }));
}

TEST(OvxbLive, ReceiverTabShowsTheChannelsOfTheUnit) {
    OvxbPage s;
    s.selectTab("Receiver");
    s.unit.setPollPayload("STCK", words({800, -800, 5, -5, 0, 1300, 32767}));
    s.advance(0.1);
    const QList<QProgressBar*> bars = s.page->rcGroup();
    ASSERT_TRUE(s.waitLong([&] { return bars[6]->value() == 2400; }));
    const int levels[] = {2000, 400, 1205, 1195, 1200, 2400, 2400};
    const char* rates[] = {"+100%", "-100%", "+0%", "0%", "0%", "+162%", "+4095%"};
    const char* values[] = {"+400", "-400", "+2", "-2", "0", "+650", "+16383"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(bars[i]->value(), levels[i]) << i;
        EXPECT_EQ(s.page->rcRateGroup()[i]->text(), rates[i]) << i;
        EXPECT_EQ(s.page->rcValueGroup()[i]->text(), values[i]) << i;
    }
    // A short payload changes nothing.
    s.page->decodeStickReply(words({-800}));
    EXPECT_EQ(bars[0]->value(), 2000);
}

TEST(OvxbLive, ServoTabPlacesBarsAndMarksFromTheShownTravelLimits) {
    OvxbPage s;
    s.selectTab("OutputServos");
    s.page->applyWingType(3); // outputs 4 and 5 in use
    const QList<QSpinBox*> limits = s.page->travelLimitGroup();
    const int travel[10] = {100, 100, 150, 151, 0, 0, 100, 100, 100, 100};
    for (int i = 0; i < 10; ++i)
        limits[i]->setValue(travel[i]);
    s.unit.setPollPayload("SERV", words({700, 2300, 1500, 1500, 1500, //
                                         1500, 1500, 1500, 2220, 800}));
    s.advance(0.1);
    const QList<QLabel*> texts = s.page->outValueGroup();
    ASSERT_TRUE(s.waitLong([&] { return texts[0]->text() == "700"; }));
    const QList<QProgressBar*> bars = s.page->outGroup();
    EXPECT_EQ(bars[0]->value(), 800);
    EXPECT_EQ(texts[1]->text(), "2300");
    EXPECT_EQ(bars[1]->value(), 2220);
    EXPECT_EQ(bars[2]->value(), 1500);

    // Bars are 220 wide over 800..2220: x = (value - 800) * 220 / 1420, limit marks within 0..219.
    auto at = [](double value) { return int(std::lround((value - 800) * 220 / 1420)); };
    const QList<QLabel*> neutral = s.page->neutralMarkGroup();
    const QList<QLabel*> left = s.page->leftLimitMarkGroup();
    const QList<QLabel*> right = s.page->rightLimitMarkGroup();
    EXPECT_EQ(neutral[0]->x(), at(1500));
    EXPECT_EQ(left[0]->x(), at(1100));  // travel 100 % = 400
    EXPECT_EQ(right[0]->x(), at(1900));
    EXPECT_EQ(left[1]->x(), at(900));   // 150 % = 600
    EXPECT_EQ(right[1]->x(), at(2100)); // 151 % counts as 150 %
    EXPECT_EQ(left[2]->x(), neutral[2]->x()); // 0 %: on the neutral mark
    EXPECT_EQ(right[2]->x(), neutral[2]->x());
    EXPECT_EQ(neutral[3]->x(), at(2220)); // at the right end: not limited
    EXPECT_EQ(right[3]->x(), 219);        // kept on the bar
    EXPECT_EQ(neutral[4]->x(), 0);
    EXPECT_EQ(left[4]->x(), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(neutral[i]->isVisibleTo(neutral[i]->parentWidget())) << i;

    // Outputs that the wing type does not drive hide their marks.
    s.page->applyWingType(0);
    s.advance(0.1);
    ASSERT_TRUE(s.waitLong([&] { return neutral[3]->isHidden(); }));
    EXPECT_TRUE(left[4]->isHidden());
    EXPECT_FALSE(neutral[0]->isHidden());
}

TEST(OvxbLive, ServoMarksOfAnEmptyRangeStayWhereTheyAre) {
    OvxbPage s;
    QProgressBar* bar = s.page->outGroup()[0];
    QLabel* mark = s.page->neutralMarkGroup()[0];
    mark->move(17, mark->y());
    bar->setRange(1500, 1500);
    s.page->decodeServoReply(words({1500, 1500, 1500, 1500, 1500, 1200, 1500, 1500, 1500, 1500}));
    EXPECT_EQ(mark->x(), 17);
    EXPECT_EQ(bar->value(), 1500);
}

TEST(OvxbLive, SensorTabShowsScaledValues) {
    OvxbPage s;
    s.selectTab("Sensor");
    // One-g values of 8192 in the block (the unit's default).
    s.unit.setPollPayload("SNSR", words({16384, -32768, 0, 8192, -4096, 0, 455, -455}));
    s.advance(0.1);
    QLabel* gyroX = s.control<QLabel>("txtGyroX");
    ASSERT_TRUE(s.waitLong([&] { return gyroX->text() == "1000.0"; }));
    EXPECT_EQ(s.control<QLabel>("txtGyroY")->text(), "-2000.0");
    EXPECT_EQ(s.control<QLabel>("txtAccX")->text(), "1.0");
    EXPECT_EQ(s.control<QLabel>("txtAccY")->text(), "-0.5");
    EXPECT_EQ(s.control<QLabel>("txtAngleX")->text(), QString::fromUtf8("45.5\u00B0"));
    EXPECT_EQ(s.control<QLabel>("txtAngleY")->text(), QString::fromUtf8("-45.5\u00B0"));

    // A block without one-g values keeps the last accelerations, in the texts and the charts.
    s.load(QByteArray());
    s.page->decodeSensorReply(words({0, 0, 0, 100, 100, 100, 0, 0}));
    EXPECT_EQ(s.control<QLabel>("txtAccX")->text(), "1.0");
    EXPECT_EQ(s.control<QLabel>("txtGyroX")->text(), "0.0");
    const SensorCharts& charts = s.page->sensorCharts;
    const auto written = std::size_t(charts.currentChartIndex - 1);
    ASSERT_GE(charts.currentChartIndex, 1);
    EXPECT_EQ(charts.accDataEntries[0][written]->y(), 1.0);
    EXPECT_EQ(charts.accDataEntries[1][written]->y(), -0.5);
    EXPECT_EQ(charts.accDataEntries[2][written]->y(), 0.0);
}

TEST(OvxbLive, ChartsAreSetUpWithFlatLinesAndFixedRanges) {
    OvxbPage s;
    SensorCharts& charts = s.page->sensorCharts;
    struct Case {
        const char* name;
        charting::LineChartView* view;
        std::shared_ptr<charting::LineChartData> data;
        double range, granularity;
        const char* label;
    } cases[] = {{"gyroChart", charts.gyroChart, charts.gyroChartData, 1200, 100, "Gyro %1"},
                 {"accChart", charts.accChart, charts.accChartData, 1.5, 0.1, "Acc %1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.view, s.control<charting::LineChartView>(c.name));
        ASSERT_EQ(c.view->data(), c.data);
        EXPECT_FALSE(c.view->rightAxis()->isEnabled());
        const auto left = c.view->leftAxis();
        EXPECT_EQ(left->axisMinimum(), -c.range);
        EXPECT_EQ(left->axisMaximum(), c.range);
        EXPECT_EQ(left->granularity(), c.granularity);
        EXPECT_TRUE(left->isGranularityEnabled());
        EXPECT_FALSE(left->isDrawLabelsEnabled());
        EXPECT_EQ(left->axisLineWidth(), 2);
        EXPECT_EQ(left->axisLineColor(), QColor(255, 59, 48));
        EXPECT_TRUE(left->drawZeroLineEnabled());
        EXPECT_EQ(left->zeroLineWidth(), 1);
        EXPECT_EQ(left->gridLineDashLengths(), (std::vector<double>{4, 2}));
        EXPECT_FALSE(c.view->xAxis()->isDrawLabelsEnabled());
        ASSERT_EQ(c.data->dataSetCount(), 3);
        const QColor colours[3] = {QColor(52, 199, 89), QColor(255, 149, 0), QColor(175, 82, 222)};
        for (int k = 0; k < 3; ++k) {
            auto set = std::dynamic_pointer_cast<charting::LineChartDataSet>(
                c.data->dataSets()[std::size_t(k)]);
            ASSERT_TRUE(set);
            EXPECT_EQ(set->label(), QString::fromLatin1(c.label).arg(QChar('X' + k)));
            EXPECT_EQ(set->colors(), std::vector<QColor>{colours[k]});
            EXPECT_FALSE(set->isDrawCirclesEnabled());
            EXPECT_FALSE(set->isDrawCircleHoleEnabled());
            ASSERT_EQ(set->entryCount(), 200);
            for (int j = 0; j < 200; ++j) {
                EXPECT_EQ(set->entryForIndex(j)->x(), j);
                EXPECT_EQ(set->entryForIndex(j)->y(), 0);
            }
        }
    }
}

TEST(OvxbLive, TheChartSweepWrapsAfter200SamplesAndStoresValuesBeyondTheAxis) {
    OvxbPage s;
    SensorCharts& charts = s.page->sensorCharts;
    auto gyroY = [&](int k, int j) { return charts.gyroDataEntries[std::size_t(k)][std::size_t(j)]->y(); };
    auto accY = [&](int k, int j) { return charts.accDataEntries[std::size_t(k)][std::size_t(j)]->y(); };
    // Sample n: gyro X raw 32767 (1999.9, beyond the axis), gyro Z n, acceleration X n / 8192.
    auto sample = [&](int n) { s.page->decodeSensorReply(words({32767, 0, n, n, 0, 0, 0, 0})); };
    charts.currentChartIndex = 0;
    sample(1);
    EXPECT_EQ(charts.currentChartIndex, 1);
    EXPECT_FLOAT_EQ(gyroY(0, 0), 32767.0f / 32768.0f * 2000.0f); // stored unchanged
    EXPECT_EQ(charts.gyroChart->leftAxis()->axisMaximum(), 1200); // the axis stays
    for (int n = 2; n <= 199; ++n)
        sample(n);
    EXPECT_EQ(charts.currentChartIndex, 199);
    EXPECT_FLOAT_EQ(gyroY(2, 198), 199 * 2000.0f / 32768.0f);
    EXPECT_EQ(gyroY(2, 199), 0);
    EXPECT_DOUBLE_EQ(accY(0, 198), 199.0 / 8192);
    sample(200); // written at x = 199, then every point goes back to 0
    EXPECT_EQ(charts.currentChartIndex, 0);
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 200; ++j)
            ASSERT_TRUE(gyroY(k, j) == 0 && accY(k, j) == 0) << k << " " << j;
    sample(201);
    EXPECT_NE(gyroY(2, 0), 0);
    EXPECT_EQ(gyroY(2, 1), 0);
}

// Every sample stores each chart's data in it again, which makes the chart redraw the values
// changed in place.
TEST(OvxbLive, EverySampleRedrawsBothCharts) {
    OvxbPage s;
    s.stopLivePolls();
    s.selectTab("Sensor");
    SensorCharts& charts = s.page->sensorCharts;
    // Every tab page that holds a chart comes forward.
    for (charting::LineChartView* chart : {charts.gyroChart.data(), charts.accChart.data()})
        for (QWidget* w = chart; w->parentWidget(); w = w->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
                tabs && tabs->indexOf(w) >= 0)
                tabs->setCurrentWidget(w);
    ASSERT_TRUE(charts.gyroChart->isVisible());
    ASSERT_TRUE(charts.accChart->isVisible());
    testsupport::EventCounter gyroPaints(QEvent::Paint), accPaints(QEvent::Paint);
    charts.gyroChart->installEventFilter(&gyroPaints);
    charts.accChart->installEventFilter(&accPaints);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        testsupport::pumpEvents(50); // whatever was due is drawn
        gyroPaints.count = accPaints.count = 0;
        s.page->decodeSensorReply(words({16384 - round, 0, 0, 8192, 0, 0, 0, 0}));
        EXPECT_TRUE(s.waitLong([&] { return gyroPaints.count > 0 && accPaints.count > 0; }));
    }
    charts.gyroChart->removeEventFilter(&gyroPaints);
    charts.accChart->removeEventFilter(&accPaints);
}

// The live texts are the same under any locale: no decimal comma, no digit grouping.
TEST(OvxbLive, LiveTextsDoNotFollowTheLocale) {
    struct LocaleGuard {
        QLocale saved;
        LocaleGuard() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~LocaleGuard() { QLocale::setDefault(saved); }
    } german;
    OvxbPage s; // its widgets made under that locale
    s.stopLivePolls();
    s.page->decodeSensorReply(words({16384, -32768, 0, 8192, -4096, 0, 12345, -455}));
    auto text = [&](const char* name) { return s.control<QLabel>(name)->text(); };
    EXPECT_EQ(text("txtGyroX"), "1000.0");
    EXPECT_EQ(text("txtGyroY"), "-2000.0");
    EXPECT_EQ(text("txtAccX"), "1.0");
    EXPECT_EQ(text("txtAccY"), "-0.5");
    EXPECT_EQ(text("txtAngleX"), QString::fromUtf8("1234.5\u00B0"));
    EXPECT_EQ(text("txtAngleY"), QString::fromUtf8("-45.5\u00B0"));
    s.page->decodeStickReply(words({32767, -32768, 8000, 0, 0, 0, 0}));
    EXPECT_EQ(s.page->rcValueGroup()[0]->text(), "+16383");
    EXPECT_EQ(s.page->rcRateGroup()[1]->text(), "-4096%");
    EXPECT_EQ(s.page->rcValueGroup()[2]->text(), "+4000");
    s.page->decodeServoReply(words({2000, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500}));
    EXPECT_EQ(s.page->outValueGroup()[0]->text(), "2000");
}

} // namespace
