// The OVXD page as a page of the main view: its outlets by kind, the texts of its layout in three
// languages.

#include "OvxdPage.h"

#include "OVX_Configurator/Localization.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::ConnectedShell;

QStringList numbered(const char* prefix, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QLatin1String(prefix) + QString::number(i);
    return names;
}

template <class Control> int countOf(QWidget* view, const QStringList& names) {
    int found = 0;
    for (const QString& name : names) {
        if (view->findChild<Control*>(name))
            ++found;
        else
            ADD_FAILURE() << "no " << Control::staticMetaObject.className() << " "
                          << name.toStdString();
    }
    return found;
}

TEST(OvxdPage, TheLayoutHasEveryOutletOfItsKind) {
    ConnectedShell s;
    OVXD_ViewController page;
    QWidget* view = page.view();
    int outlets = 0;
    outlets += countOf<QTabWidget>(view, {"tabMain", "tabSensor"});
    outlets += countOf<QComboBox>(view, numbered("FlightMode", 3) + numbered("RcMapping", 7) +
                                            QStringList{"ReceiverType", "ReceiverSubType",
                                                        "SpekBindOption", "ServoFrequency",
                                                        "GainLevel", "ControlBehavior"});
    const QStringList steppers =
        numbered("MaxAngle", 2) + numbered("BasicGain", 3) + numbered("LockGain", 3) +
        numbered("AngleGain", 2) + numbered("LevelGain", 2) + numbered("HoverGain", 2) +
        numbered("SubTrim", 4) + numbered("TravelLimit", 8) + numbered("LevelOffset", 2) +
        numbered("HoverOffset", 2) + QStringList{"StickDeadband"};
    outlets += countOf<QSpinBox>(view, steppers);
    outlets += countOf<QCheckBox>(view, numbered("GyroEnable", 4) + numbered("GyroReverse", 4));
    outlets += countOf<QRadioButton>(view, numbered("WingType", 3) + numbered("Mounting", 4));
    outlets += countOf<QPushButton>(view, {"btnAccelCalibration", "btnAccelCalibrationCancel",
                                           "btnAccelCalibrationPrev", "btnAccelCalibrationNext",
                                           "btnRead", "btnWrite", "btnClose", "btnLevelCalibration",
                                           "btnHoverCalibration"});
    outlets += countOf<QLabel>(view, {"imgWingType", "imgMounting", "imgAccelCalibration"});
    outlets += countOf<QProgressBar>(view, numbered("Rc", 7) + numbered("Out", 5));
    outlets += countOf<QWidget>(view, {"gyroChart", "accChart"});
    outlets += countOf<QGroupBox>(view, {"boxAccelCalibrationWizard"});
    QStringList texts;
    for (const QString& stepper : steppers)
        texts << QStringLiteral("txt") + stepper;
    texts += numbered("RcRate", 7) + numbered("RcValue", 7) + numbered("OutValue", 5) +
             numbered("NeutralMark", 4) + numbered("LeftLimitMark", 4) +
             numbered("RightLimitMark", 4) +
             QStringList{"txtGyroX",   "txtGyroY",    "txtGyroZ",    "txtAccX",    "txtAccY",
                         "txtAccZ",    "txtAngleX",   "txtAngleY",   "AccOffsetX", "AccOffsetY",
                         "AccOffsetZ", "AccGravityX", "AccGravityY", "AccGravityZ"};
    EXPECT_EQ(texts.size(), 76);
    outlets += countOf<QLabel>(view, texts);
    EXPECT_EQ(outlets, 167);

    // Tabs the polls and the calibration item look for; the level indicators' ranges.
    EXPECT_TRUE(view->findChild<QWidget*>("Receiver"));
    EXPECT_TRUE(view->findChild<QWidget*>("OutputServos"));
    EXPECT_TRUE(view->findChild<QWidget*>("Sensor"));
    for (QProgressBar* rc : page.rcGroup())
        EXPECT_EQ(std::pair(rc->minimum(), rc->maximum()), std::pair(0, 300));
    for (QProgressBar* out : page.outGroup())
        EXPECT_EQ(std::pair(out->minimum(), out->maximum()), std::pair(800, 2220));
}

TEST(OvxdPage, TablesStayCompactInTheWindow) {
    testsupport::OvxdPage s;
    QWidget* window = s.main->view();
    window->resize(1024, 690);
    window->show();
    // The gyro table's header sits right above its first row.
    s.selectTab("Gains");
    testsupport::pumpEvents(50);
    const QLabel* header = s.control<QLabel>("label18");
    EXPECT_LE(s.control<QLabel>("label22")->y() - header->y(), header->sizeHint().height() + 16);
    EXPECT_LE(s.control<QWidget>("grpRateGyro")->height(),
              s.control<QWidget>("grpRateGyro")->sizeHint().height());
    // Each offset text stands next to its stepper.
    for (const char* name : {"LevelOffset1", "LevelOffset2", "HoverOffset1", "HoverOffset2"}) {
        const auto* stepper = s.control<QSpinBox>(name);
        const auto* text = s.control<QLabel>(("txt" + std::string(name)).c_str());
        const int textLeft = text->x() + text->contentsRect().left();
        EXPECT_LE(textLeft - (stepper->x() + stepper->width()), 12) << name;
        EXPECT_GE(textLeft, stepper->x() + stepper->width()) << name;
        EXPECT_TRUE(text->alignment() & Qt::AlignLeft) << name;
    }
    // The aircraft boxes are as tall as their content.
    s.selectTab("Aircraft");
    testsupport::pumpEvents(50);
    for (const char* box : {"grpWingType", "grpMounting"})
        EXPECT_EQ(s.control<QWidget>(box)->height(), s.control<QWidget>(box)->sizeHint().height())
            << box;
}

// The unit has no user mode: a newer data version adds no flight mode item and no block bytes.
TEST(OvxdPage, ANewerDataVersionChangesNeitherTheFlightModesNorTheBlock) {
    for (quint8 dataVersion : {0x10, 0x11, 0x20}) {
        SCOPED_TRACE(int(dataVersion));
        testsupport::OvxdPage s(
            [&](testsupport::SimulatedUnit& unit) { unit.setDataVersion(dataVersion); });
        EXPECT_EQ(s.main->dataLength, 71);
        EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(3, 6));
        s.main->showPage(0);
        s.main->showPage(5);
        EXPECT_EQ(testsupport::flightModeItemCounts(s.page), QList<int>(3, 6));
        // Byte 22 stays the wing type.
        QByteArray block = s.main->data;
        block[22] = 1;
        s.load(block);
        EXPECT_TRUE(s.control<QRadioButton>("WingType2")->isChecked());
    }
}

TEST(OvxdPage, EveryTextHasItsThreeLanguages) {
    ConnectedShell s;
    testsupport::expectTextsInThreeLanguages<OVXD_ViewController>("ovxd");
}

} // namespace
