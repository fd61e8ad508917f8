// The OVXC page as a page of the main view: the user mode by data version, the poll timer, the
// buttons and the texts of its layout.

#include "OvxcPage.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/WelcomeViewController.h"

#include <QComboBox>
#include <QGroupBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::ConnectedShell;
using testsupport::OvxcPage;
using testsupport::SimulatedUnit;
using testsupport::versions;

TEST(OvxcPage, TheUserModeComesWithDataVersion17AndGoesWithVersion16) {
    OvxcPage s(versions(0x11, 17));
    QWidget* box = s.control<QGroupBox>("boxUserMode");
    EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(6, 7));
    EXPECT_EQ(s.page->flightModeGroup()[0]->itemText(6), localized("USER_MODE"));
    EXPECT_FALSE(box->isHidden());
    s.main->showPage(0);
    s.main->showPage(4);
    EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(6, 7)); // no second item

    QByteArray block = s.main->data;
    block[23] = 6; // switch position 2: user mode
    s.load(block);
    EXPECT_EQ(s.page->flightModeGroup()[1]->currentIndex(), 6);

    s.unit.setDataVersion(16);
    s.main->detectDevice();
    ASSERT_TRUE(s.waitLong([&] { return s.main->dataVersion == 16 && s.main->data.size() == 93; }));
    EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(6, 6));
    EXPECT_TRUE(box->isHidden());
}

TEST(OvxcPage, PollTimerAndTabs) {
    OvxcPage s;
    EXPECT_TRUE(s.page->timerMain.isActive());
    s.app->menuItemAccelCalibration->trigger();
    EXPECT_EQ(s.page->tabMain->currentWidget()->objectName(), "Sensor");
    EXPECT_EQ(s.page->tabSensor->currentWidget()->objectName(), "AccelerometerCalibration");

    s.control<QPushButton>("btnClose")->click();
    EXPECT_EQ(s.main->currentViewController,
              static_cast<ViewController*>(s.main->welcomeViewController()));
    EXPECT_FALSE(s.page->timerMain.isActive());
}

TEST(OvxcPage, EveryTextHasItsThreeLanguages) {
    ConnectedShell s(170);
    testsupport::expectTextsInThreeLanguages<OVXC_ViewController>("ovxc");
}

} // namespace
