// Live values on a shown page change their texts without laying the page out again: every layout
// pass that reaches a tab widget repaints that tab widget whole, and the live tabs change their
// texts up to twenty times a second.

#include "OvxaPage.h"
#include "OvxbPage.h"
#include "OvxcPage.h"
#include "OvxdPage.h"
#include "support/EventCounter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

using testsupport::words;

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Every live text of the page, in a fixed order.
QStringList liveTexts(ModelPageViewController* page, const QList<QLabel*>& values) {
    QStringList out;
    for (QLabel* label : values)
        out << (label ? label->text() : QString());
    for (const char* name : {"txtGyroX", "txtGyroY", "txtAccX", "txtAngleX"})
        out << page->view()->findChild<QLabel*>(QLatin1String(name))->text();
    return out;
}

// Shows the page's window at the size the program uses, then feeds `feed` three different
// values: the texts change and no tab widget of the page is asked to lay out again.
template <class Fixture>
void expectValuesChangeWithoutRelayout(Fixture& s, const QList<QLabel*>& values,
                                       const std::function<void(int)>& feed) {
    s.stopLivePolls();
    QWidget* window = s.page->view()->window();
    window->resize(1024, 720);
    window->show();
    settle();
    int shift = 0;
    for (const char* tab : {"Receiver", "Sensor"}) {
        SCOPED_TRACE(tab);
        shift += 3;
        s.selectTab(tab);
        settle();
        testsupport::EventCounter requests(QEvent::LayoutRequest);
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
            tabs->installEventFilter(&requests);
        const QStringList before = liveTexts(s.page, values);
        for (int value : {-1199, 7, 1188}) {
            feed(value + shift);
            settle();
        }
        EXPECT_NE(liveTexts(s.page, values), before);
        EXPECT_EQ(requests.count, 0);
    }
    window->hide();
}

// Sensor words: gyro, acceleration, angles, all from `value`.
QByteArray sensors(int value) {
    return words({value * 20, -value * 20, value, value * 6, value * 6, value * 6, value, -value});
}

TEST(LiveLayout, OvxaValuesChangeWithoutLayingThePageOut) {
    testsupport::OvxaPage s;
    expectValuesChangeWithoutRelayout(s, s.page->rcRateGroup() + s.page->rcValueGroup(),
                                      [&](int v) {
                                          const QByteArray live =
                                              sensors(v) + words({v, -v, v, v, v, v, v * 20});
                                          s.page->decodeStickReply(live);
                                          s.page->decodeSensorReply(live);
                                      });
}

template <class Fixture> void expectFourLetterPageKeepsItsLayout() {
    Fixture s;
    expectValuesChangeWithoutRelayout(
        s, s.page->rcRateGroup() + s.page->rcValueGroup() + s.page->outValueGroup(),
        [&](int v) {
            // Full scale (on OVXD) and every channel, output and neutral from `value`.
            const QByteArray channels =
                words({v, 1200, v * 20, -v, v, v, v, v, v, v, v * 20, v, v, v});
            s.page->decodeStickReply(channels);
            s.page->decodeServoReply(words({1500 + v / 2, 1500 - v / 2, 1500, 1500, 1500, 1500,
                                            1500, 1500, 1500, 1500, 1500, 1500}));
            s.page->decodeSensorReply(sensors(v));
        });
}

TEST(LiveLayout, OvxbValuesChangeWithoutLayingThePageOut) {
    expectFourLetterPageKeepsItsLayout<testsupport::OvxbPage>();
}

TEST(LiveLayout, OvxcValuesChangeWithoutLayingThePageOut) {
    expectFourLetterPageKeepsItsLayout<testsupport::OvxcPage>();
}

TEST(LiveLayout, OvxdValuesChangeWithoutLayingThePageOut) {
    expectFourLetterPageKeepsItsLayout<testsupport::OvxdPage>();
}

} // namespace
