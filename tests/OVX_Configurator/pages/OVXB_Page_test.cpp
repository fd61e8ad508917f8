// The OVXB page as a page of the main view: the user mode by data version, the poll timer, the
// texts of its layout.

#include "OvxbPage.h"

#include "OVX_Configurator/Localization.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPoint>
#include <QRegularExpression>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::ConnectedShell;
using testsupport::OvxbPage;
using testsupport::SimulatedUnit;

TEST(OvxbPage, TheUserModeComesWithDataVersion17AndGoesWithAnOlderUnit) {
    OvxbPage s([](SimulatedUnit& unit) { unit.setDataVersion(17); });
    QWidget* box = s.control<QGroupBox>("boxUserMode");
    EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(6, 7));
    EXPECT_EQ(s.page->flightModeGroup()[0]->itemText(6), localized("USER_MODE"));
    EXPECT_FALSE(box->isHidden());

    // Shown again: no second item.
    s.main->showPage(0);
    s.main->showPage(3);
    EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(6, 7));

    // A block with user mode 6 in switch position 2 shows it.
    QByteArray block = s.main->data;
    block[21] = 6;
    s.load(block);
    EXPECT_EQ(s.page->flightModeGroup()[1]->currentIndex(), 6);

    // An older unit: the item and the box go.
    s.unit.setDataVersion(16);
    s.main->detectDevice();
    ASSERT_TRUE(s.waitLong([&] { return s.main->dataVersion == 16; }));
    EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(6, 6));
    EXPECT_TRUE(box->isHidden());
}

TEST(OvxbPage, DataVersion16HasNoUserMode) {
    OvxbPage s([](SimulatedUnit& unit) { unit.setDataVersion(16); });
    EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(6, 6));
    EXPECT_TRUE(s.control<QGroupBox>("boxUserMode")->isHidden());
}

// A page that counts its poll ticks.
class CountingPage final : public OVXB_ViewController {
public:
    int ticks = 0;
    void timerAction() override { ++ticks; }
};

TEST(OvxbPage, OnePollTimerRunsFromAppearingToDisappearing) {
    ConnectedShell s;
    CountingPage page;
    page.parentController = s.main;
    page.view();
    page.viewDidAppear();
    page.viewDidAppear(); // appearing again replaces the timer
    // (Steps of 0.525 s: ticks fall due every 0.05 s, never at a step's end.)
    s.shell.clock.advance(0.525);
    EXPECT_EQ(page.ticks, 10); // every 0.05 s
    // Showing and hiding the view itself (as un-minimising does) changes nothing.
    page.view()->show();
    page.view()->hide();
    page.view()->show();
    s.shell.clock.advance(0.525);
    EXPECT_EQ(page.ticks, 20);
    page.viewWillDisappear();
    s.shell.clock.advance(1.0);
    EXPECT_EQ(page.ticks, 20);
    EXPECT_FALSE(page.timerMain.isActive());
    page.viewDidAppear();
    s.shell.clock.advance(0.125);
    EXPECT_EQ(page.ticks, 22);
    page.viewWillDisappear();
}

TEST(OvxbPage, TheMainViewsPageSwitchingStartsAndStopsTheTimer) {
    OvxbPage s;
    EXPECT_TRUE(s.page->timerMain.isActive());
    s.main->showPage(0);
    EXPECT_FALSE(s.page->timerMain.isActive());
    s.main->showPage(3);
    EXPECT_TRUE(s.page->timerMain.isActive());
}

TEST(OvxbPage, TheAccelerometerCalibrationItemSelectsItsTabs) {
    OvxbPage s;
    s.app->menuItemAccelCalibration->trigger();
    EXPECT_EQ(s.page->tabMain->currentWidget()->objectName(), "Sensor");
    EXPECT_EQ(s.page->tabSensor->currentWidget()->objectName(), "AccelerometerCalibration");
    EXPECT_TRUE(s.commands().isEmpty());
}

// The status bar on the shown window: the flight mode and the master gain change with every
// status reply, yet the fields keep their places (the first field does not move).
TEST(OvxbPage, TheStatusBarKeepsItsPlaceWhateverModeAndGainItShows) {
    OvxbPage s;
    s.stopLivePolls();
    QWidget* window = s.main->view()->window();
    window->resize(1024, 720);
    window->show();
    auto firstFieldX = [&] {
        testsupport::pumpEvents(20);
        return s.main->statusSystemState->mapTo(window, QPoint()).x();
    };
    QByteArray info(11, '\0');
    info[0] = 1; // standby
    s.page->decodeInfoReply(info);
    const int x = firstFieldX();
    for (int mode = 0; mode < int(OVXB_ViewController::strFlightMode.size()); ++mode)
        for (int gain : {0, 7, 80, 100, 255}) {
            info[2] = char(mode);
            info[3] = char(gain);
            s.page->decodeInfoReply(info);
            EXPECT_EQ(firstFieldX(), x) << "mode " << mode << ", gain " << gain;
        }
    window->hide();
}

TEST(OvxbPage, EveryTextHasItsThreeLanguages) {
    ConnectedShell s;
    testsupport::expectTextsInThreeLanguages<OVXB_ViewController>("ovxb");
}

} // namespace
