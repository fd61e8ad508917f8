// The OVXA page's live values: one poll "d" without a CRC on the "Receiver" and "Sensor" tabs,
// the channels from offset 16 of its reply and the sensors from offset 0.

#include "OvxaPage.h"

#include "Charting/data/ChartDataEntry.h"
#include "OVX_Configurator/SerialPort.h"

#include <QProgressBar>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::OvxaPage;
using testsupport::words;

// A "d" reply's payload: the eight sensor words, then the seven channels.
QByteArray livePayload(std::initializer_list<int> sensors, std::initializer_list<int> channels) {
    return words(sensors) + words(channels);
}

QStringList texts(const QList<QLabel*>& labels) {
    QStringList out;
    for (const QLabel* label : labels)
        out << label->text();
    return out;
}

TEST(OvxaLive, TheReceiverAndSensorTabsSendTheOneLetterPollTheOthersNothing) {
    OvxaPage s;
    const std::pair<const char*, int> cases[] = {
        {"Receiver", 10}, {"Sensor", 10}, {"Aircraft", 0}, {"Gains", 0}};
    for (const auto& [tab, polls] : cases) {
        SCOPED_TRACE(tab);
        s.selectTab(tab);
        s.unit.clearRecord();
        s.advance(1.0); // ten ticks of 0.1 s
        testsupport::pumpEvents(20);
        // The letter alone, no CRC, no status poll.
        EXPECT_EQ(s.unit.received(), QByteArray(polls, 'd'));
    }
    // Without an open port nothing goes out.
    s.selectTab("Sensor");
    s.app->port->disconnect();
    s.unit.clearRecord();
    s.advance(0.5);
    testsupport::pumpEvents(20);
    EXPECT_TRUE(s.unit.received().isEmpty());
}

TEST(OvxaLive, NoPollGoesOutWhileARequestIsOutstanding) {
    OvxaPage s;
    for (const char* tab : {"Receiver", "Sensor"}) {
        SCOPED_TRACE(tab);
        s.selectTab(tab);
        testsupport::expectNoPollWhileAReadWaits(s, "d");
    }
}

TEST(OvxaLive, NoPollComesBetweenTheTwoWritesOfTheBlock) {
    OvxaPage s;
    s.selectTab("Sensor");
    s.main->handlerWriteToDevice();
    s.answer(0); // "WRITE_CONFIRM"
    ASSERT_TRUE(s.waitLong([&] { return s.unit.received().contains('W'); }));
    s.advance(0.5); // ticks during the pause and while the reply is awaited
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("W") == 1 && !s.app->port->busy(); }));
    const QByteArray received = s.unit.received();
    EXPECT_EQ(received.mid(received.indexOf('W'), 60),
              testsupport::writeFrame(s.main->data.left(57)));
    EXPECT_EQ(s.unit.block().left(57), s.main->data.left(57));
    // The polls resume after the write.
    s.unit.clearRecord();
    s.advance(0.2);
    EXPECT_TRUE(s.waitLong([&] { return s.unit.count("d") > 0; }));
}

TEST(OvxaLive, ReceiverTabShowsTheChannelsFromOffset16) {
    OvxaPage s;
    s.selectTab("Receiver");
    // Sensor words that would show if they were read as channels, or the channels as sensors.
    s.unit.setPollPayload("d", livePayload({800, 800, 800, 800, 800, 800, 800, 800},
                                           {0, 5, -8, 800, 1500, -1200, -32768}));
    const QList<QProgressBar*> bars = s.page->rcGroup();
    const QString gyroText = s.control<QLabel>("txtGyroX")->text();
    const int chartIndex = s.page->sensorCharts.currentChartIndex;
    s.advance(0.1);
    ASSERT_TRUE(s.waitLong([&] { return bars[6]->value() == 0; }));
    EXPECT_EQ(QList<int>({bars[0]->value(), bars[1]->value(), bars[2]->value(), bars[3]->value(),
                          bars[4]->value(), bars[5]->value(), bars[6]->value()}),
              (QList<int>{1000, 1005, 992, 1800, 2000, 0, 0}));
    EXPECT_EQ(texts(s.page->rcRateGroup()),
              (QStringList{"0%", "+0%", "-1%", "+100%", "+187%", "-150%", "-4096%"}));
    EXPECT_EQ(texts(s.page->rcValueGroup()),
              (QStringList{"0", "+2", "-4", "+400", "+750", "-600", "-16384"}));
    // The sensors and charts stay as they were on this tab.
    EXPECT_EQ(s.page->sensorCharts.currentChartIndex, chartIndex);
    EXPECT_EQ(s.control<QLabel>("txtGyroX")->text(), gyroText);

    // A reply that ends before channel 7 changes nothing.
    s.page->decodeStickReply(livePayload({0, 0, 0, 0, 0, 0, 0, 0}, {300, 300, 300, 300, 300, 300}));
    EXPECT_EQ(bars[0]->value(), 1000);
    EXPECT_EQ(s.page->rcRateGroup()[5]->text(), "-150%");
}

TEST(OvxaLive, SensorTabShowsThisUnitsScalingAndFeedsTheCharts) {
    OvxaPage s;
    s.selectTab("Sensor");
    const QStringList channelRates = texts(s.page->rcRateGroup());
    s.unit.setPollPayload("d", livePayload({16384, -32768, 0, 8192, -4096, 0, -1234, 4500},
                                           {800, 800, 800, 800, 800, 800, 800}));
    QLabel* gyroX = s.control<QLabel>("txtGyroX");
    s.advance(0.1);
    ASSERT_TRUE(s.waitLong([&] { return gyroX->text() == "1000.0"; }));
    auto text = [&](const char* name) { return s.control<QLabel>(name)->text(); };
    EXPECT_EQ(text("txtGyroY"), "-2000.0");
    EXPECT_EQ(text("txtGyroZ"), "0.0");
    EXPECT_EQ(text("txtAccX"), "1.0");  // 8192 is one g, whatever the block holds
    EXPECT_EQ(text("txtAccY"), "-0.5");
    EXPECT_EQ(text("txtAngleX"), QString::fromUtf8("-12.3\u00B0")); // hundredths of a degree
    EXPECT_EQ(text("txtAngleY"), QString::fromUtf8("45.0\u00B0"));
    EXPECT_EQ(texts(s.page->rcRateGroup()), channelRates); // channels are not read here

    SensorCharts& charts = s.page->sensorCharts;
    const int written = charts.currentChartIndex - 1;
    ASSERT_GE(written, 0);
    EXPECT_DOUBLE_EQ(charts.gyroDataEntries[0][std::size_t(written)]->y(), 1000.0);
    EXPECT_DOUBLE_EQ(charts.gyroDataEntries[1][std::size_t(written)]->y(), -2000.0);
    EXPECT_DOUBLE_EQ(charts.accDataEntries[0][std::size_t(written)]->y(), 1.0);
    EXPECT_DOUBLE_EQ(charts.accDataEntries[1][std::size_t(written)]->y(), -0.5);

    // A reply too short for the sensors changes nothing and does not move the sweep.
    const int index = charts.currentChartIndex;
    s.page->decodeSensorReply(words({100, 100, 100, 100, 100, 100, 100}));
    EXPECT_EQ(gyroX->text(), "1000.0");
    EXPECT_EQ(charts.currentChartIndex, index);

    // After the 200th sample every point is 0 and the next sample is drawn at x = 0.
    while (charts.currentChartIndex != 0)
        s.page->decodeSensorReply(words({16384, 0, 0, 8192, 0, 0, 0, 0}));
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < SensorCharts::pointCount; ++j)
            ASSERT_TRUE(charts.gyroDataEntries[std::size_t(k)][std::size_t(j)]->y() == 0 &&
                        charts.accDataEntries[std::size_t(k)][std::size_t(j)]->y() == 0);
    s.page->decodeSensorReply(words({16384, 0, 0, 8192, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(charts.gyroDataEntries[0][0]->y(), 1000.0);
    EXPECT_EQ(charts.gyroDataEntries[0][1]->y(), 0);
}

} // namespace
