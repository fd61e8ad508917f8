// The OVXC page's parameter block in both layouts: every field decoded into its control and
// encoded back, the value texts, the pictures and the fields that depend on others.

#include "BlockTable.h"
#include "OvxcPage.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/Resources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using testsupport::OvxcPage;
using testsupport::Field;
using testsupport::Kind;
using testsupport::showsPicture;
using testsupport::versions;

// The block from byte 15 on, one entry per byte, for the short or the long layout.
std::vector<Field> blockTable(bool longLayout) {
    std::vector<Field> t;
    int at = 15;
    auto add = [&](const QByteArray& name, Kind kind, int buttons = 0) {
        t.push_back({at++, name, kind, buttons});
    };
    auto numbered = [&](const char* prefix, int count, Kind kind) {
        for (int i = 1; i <= count; ++i)
            add(prefix + QByteArray::number(i), kind);
    };
    for (const char* name : {"LevelOffset1", "LevelOffset2", "HoverOffset1", "HoverOffset2"})
        add(name, Kind::Signed);
    add("SpekBindOption", Kind::PopUp);
    ++at; // byte 20 is not the page's
    add("SwitchType", Kind::Switch);
    numbered("FlightMode", 6, Kind::PopUp);
    if (longLayout)
        numbered("UserMode", 3, Kind::PopUp);
    add("WingType", Kind::Radio, 3);
    add("Mounting", Kind::Radio, 4);
    add("ReceiverType", Kind::PopUp);
    add("ReceiverSubType", Kind::PopUp);
    numbered("RcMapping", 9, Kind::PopUp);
    numbered("OutputMapping", 5, Kind::PopUp);
    numbered("GyroEnable", 3, Kind::Switch);
    numbered("GyroReverse", 5, Kind::Switch);
    for (const char* name : {"BasicGain1", "BasicGain2", "BasicGain3", "LockGain1", "LockGain2",
                             "LockGain3", "AngleGain1", "AngleGain2", "LevelGain1", "LevelGain2",
                             "HoverGain1", "HoverGain2"})
        add(name, Kind::Unsigned);
    numbered("ServoReverse", 5, Kind::Switch);
    numbered("SubTrim", 5, Kind::Signed);
    numbered("TravelLimit", 10, Kind::Unsigned);
    for (const char* name : {"MaxAngle1", "MaxAngle2", "StickDeadband"})
        add(name, Kind::Unsigned);
    for (const char* name : {"ServoFrequency", "GainLevel", "ControlBehavior", "GyroDlpf"})
        add(name, Kind::PopUp);
    EXPECT_EQ(at, longLayout ? 96 : 93);
    return t;
}

// A block whose every field holds a value its control can show: random bytes elsewhere.
QByteArray randomBlock(OvxcPage& s, quint32 seed) {
    QRandomGenerator random(seed);
    const bool longLayout = s.page->hasLongLayout();
    QByteArray block(longLayout ? 96 : 93, '\0');
    for (char& byte : block)
        byte = char(random.bounded(256));
    for (const Field& f : blockTable(longLayout)) {
        int limit = 256;
        if (f.kind == Kind::Switch)
            limit = 2;
        else if (f.kind == Kind::Radio)
            limit = f.buttons;
        else if (f.control == "ReceiverSubType") // the list of the receiver type just drawn
            limit = quint8(block[f.offset - 1]) > 1 ? 8 : 6;
        else if (f.kind == Kind::PopUp)
            limit = s.control<QComboBox>(f.control.constData())->count();
        block[f.offset] = char(random.bounded(limit));
    }
    return block;
}

TEST(OvxcBlock, EveryFieldOfBothLayoutsReachesItsControlAndComesBackUnchanged) {
    for (quint8 dataVersion : {16, 17}) {
        SCOPED_TRACE(dataVersion);
        OvxcPage s(versions(0x11, dataVersion));
        ASSERT_EQ(s.page->hasLongLayout(), dataVersion == 17);
        for (quint32 seed : {1u, 2u, 3u}) {
            const QByteArray block = randomBlock(s, seed);
            s.load(block);
            testsupport::expectShown(s, blockTable(dataVersion == 17), block);
            s.page->uiToData();
            EXPECT_EQ(s.main->data, block) << "seed " << seed; // bytes 0-14 and 20 too
        }
        EXPECT_TRUE(s.commands().isEmpty()); // filling the controls sends nothing
        EXPECT_TRUE(s.shell.ui.alerts.empty());
    }
}

TEST(OvxcBlock, TheUserModesMoveTheWingTypeFrom28To31) {
    struct Case {
        quint8 dataVersion;
        int wingType;
        bool userModes;
    };
    for (const Case& c : {Case{16, 28, false}, Case{17, 31, true}}) {
        OvxcPage s(versions(0x11, c.dataVersion));
        EXPECT_EQ(s.page->wingTypeOffset(), c.wingType);
        QByteArray block = s.main->data;
        block[28] = 1;
        block[29] = 2;
        block[30] = 2;
        block[31] = 2;
        s.load(block);
        if (c.userModes) {
            EXPECT_EQ(s.control<QComboBox>("UserMode1")->currentIndex(), 1);
            EXPECT_EQ(s.control<QComboBox>("UserMode3")->currentIndex(), 2);
            EXPECT_TRUE(s.control<QRadioButton>("WingType3")->isChecked()); // byte 31
            EXPECT_TRUE(s.control<QRadioButton>("Mounting1")->isChecked()); // byte 32
        } else {
            EXPECT_TRUE(s.control<QRadioButton>("WingType2")->isChecked()); // byte 28
            EXPECT_TRUE(s.control<QRadioButton>("Mounting3")->isChecked()); // byte 29
            EXPECT_EQ(s.control<QComboBox>("ReceiverType")->currentIndex(), 2); // byte 30
        }
        // Encoding writes the same places back.
        s.control<QRadioButton>("WingType1")->click();
        s.page->uiToData();
        EXPECT_EQ(quint8(s.main->data[c.wingType]), 0);
    }
}

TEST(OvxcBlock, VersionsAndCalibrationValuesInBothLayouts) {
    for (quint8 dataVersion : {16, 17}) {
        SCOPED_TRACE(int(dataVersion));
        OvxcPage s(versions(0x11, dataVersion));
        const QByteArray block = testsupport::expectVersionsAndCalibrationValues(s);
        s.page->uiToData(); // read-only: bytes 0-14 stay
        EXPECT_EQ(s.main->data, block);
    }
}

TEST(OvxcBlock, ABlockOfAnOlderDataVersionIsLaidOutAsVersion16) {
    OvxcPage s(versions(0x11, 15));
    ASSERT_EQ(s.main->data.size(), 96);
    EXPECT_FALSE(s.page->hasLongLayout());
    QByteArray block = s.main->data;
    block[28] = 1; // wing type
    block[92] = 2; // gyro filter, the last field
    block[93] = char(0xA1);
    block[94] = char(0xA2);
    block[95] = char(0xA3);
    s.load(block);
    EXPECT_TRUE(s.control<QRadioButton>("WingType2")->isChecked());
    EXPECT_EQ(s.control<QComboBox>("GyroDlpf")->currentIndex(), 2);
    s.page->uiToData();
    EXPECT_EQ(s.main->data, block); // bytes 93-95 untouched
}

TEST(OvxcBlock, ValueTextsOfSignedAndUnsignedBytes) {
    // Offsets of the short layout; from 28 on the long layout adds 3.
    const std::vector<testsupport::ValueTextCase> cases = {
        {15, 0xF6, "LevelOffset1", -10, "txtLevelOffset1", "-2.0°"},
        {16, 0x05, "LevelOffset2", 5, "txtLevelOffset2", "1.0°"},
        {18, 0x80, "HoverOffset2", -128, "txtHoverOffset2", "-25.6°"},
        {71, 0x80, "SubTrim1", -128, "txtSubTrim1", "-128"},
        {75, 0x7F, "SubTrim5", 127, "txtSubTrim5", "127"},
        {54, 0xC8, "BasicGain1", 200, "txtBasicGain1", "200%"},
        {65, 0xFF, "HoverGain2", 255, "txtHoverGain2", "255%"},
        {85, 0x96, "TravelLimit10", 150, "txtTravelLimit10", "150%"},
        {87, 0xB4, "MaxAngle2", 180, "txtMaxAngle2", "180°"},
        {88, 0x0A, "StickDeadband", 10, "txtStickDeadband", "10%"},
    };
    for (quint8 dataVersion : {16, 17}) {
        SCOPED_TRACE(dataVersion);
        const int shift = dataVersion == 17 ? 3 : 0;
        OvxcPage s(versions(0x11, dataVersion));
        const QByteArray block = testsupport::expectValueTexts(s, cases, 28, shift);
        // Encoding: the stepper's value in two's complement.
        s.main->data[15] = 0;
        s.main->data[71 + shift] = 0;
        s.page->uiToData();
        EXPECT_EQ(s.main->data, block);
        EXPECT_EQ(quint8(s.main->data[15]), 0xF6);
    }
}

TEST(OvxcBlock, WingTypeAndMountingTakeTheirButtonAndPictureByLanguage) {
    OvxcPage s;
    struct Case {
        quint8 byte;
        int button;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{5, 2}}) {
        // Other buttons and pictures first, so that the decode has to switch them over.
        const int mountingFirst = c.byte == 5 ? 0 : (c.button == 0 ? 1 : 0);
        s.page->wingTypeGroup()[c.button == 0 ? 1 : 0]->click();
        s.page->mountingGroup()[mountingFirst]->click();
        QByteArray block = s.main->data;
        block[28] = char(c.byte);
        block[29] = char(c.byte == 5 ? 200 : c.byte);
        s.load(block);
        const int mounting = c.byte == 5 ? 3 : c.button;
        EXPECT_TRUE(s.page->wingTypeGroup()[c.button]->isChecked()) << int(c.byte);
        EXPECT_TRUE(s.page->mountingGroup()[mounting]->isChecked()) << int(c.byte);
        EXPECT_TRUE(showsPicture(s.control<QLabel>("imgWingType"),
                                 OVXC_ViewController::fnameWingType[0][c.button]));
        EXPECT_TRUE(showsPicture(s.control<QLabel>("imgMounting"),
                                 OVXC_ViewController::fnameMounting[0][mounting]));
    }
    s.page->uiToData(); // wing type 5 and mounting 200 are stored as the buttons they show
    EXPECT_EQ(s.main->data.mid(28, 2), QByteArray::fromHex("0203"));

    s.control<QRadioButton>("Mounting2")->click();
    EXPECT_TRUE(showsPicture(s.control<QLabel>("imgMounting"), "ovxc_mounting_2_en"));
    for (LanguageType chinese : {LanguageType::SimplifiedChinese, LanguageType::TraditionalChinese}) {
        s.app->lang = chinese;
        s.page->applyWingType(7);
        EXPECT_TRUE(showsPicture(s.control<QLabel>("imgWingType"), "ovxc_wingtype_3_cn"));
        s.control<QRadioButton>("Mounting4")->click();
        EXPECT_TRUE(showsPicture(s.control<QLabel>("imgMounting"), "ovxc_mounting_4_cn"));
    }
    s.app->lang = LanguageType::English;
    s.page->applyWingType(7);
    EXPECT_TRUE(showsPicture(s.control<QLabel>("imgWingType"), "ovxc_wingtype_3_en"));
}

TEST(OvxcBlock, EveryPictureOfThePageIsThere) {
    QStringList names;
    for (const auto& row : OVXC_ViewController::fnameWingType)
        names += QStringList(row.begin(), row.end());
    for (const auto& row : OVXC_ViewController::fnameMounting)
        names += QStringList(row.begin(), row.end());
    names += QStringList(OVXC_ViewController::fnameAccelCalibration.begin(),
                         OVXC_ViewController::fnameAccelCalibration.end());
    for (const QString& name : names)
        EXPECT_FALSE(imageNamed(name, QSize(240, 160)).isNull()) << name.toStdString();
}

TEST(OvxcBlock, GyroEnables4And5MirrorTheFirstTwoAndAreNeverStored) {
    OvxcPage s(versions(0x11, 17));
    QByteArray block = s.main->data;
    block[49] = 1; // long layout: gyro enables at 49-51
    block[50] = 0;
    s.load(block);
    EXPECT_TRUE(s.control<QCheckBox>("GyroEnable4")->isChecked());
    EXPECT_FALSE(s.control<QCheckBox>("GyroEnable5")->isChecked());
    s.control<QCheckBox>("GyroEnable2")->click();
    EXPECT_TRUE(s.control<QCheckBox>("GyroEnable5")->isChecked());
    s.control<QCheckBox>("GyroEnable4")->setChecked(false);
    s.page->uiToData();
    EXPECT_EQ(s.main->data.mid(49, 3), QByteArray::fromHex("010100"));
}

TEST(OvxcBlock, TheSixWaySwitchShowsItsBox) {
    OvxcPage s;
    QByteArray block = s.main->data;
    block[21] = 1;
    s.load(block);
    EXPECT_FALSE(s.control<QWidget>("boxSixWaySwitch")->isHidden());
    s.control<QCheckBox>("SwitchType")->click();
    EXPECT_TRUE(s.control<QWidget>("boxSixWaySwitch")->isHidden());
    block[21] = 0;
    s.load(block);
    EXPECT_TRUE(s.control<QWidget>("boxSixWaySwitch")->isHidden());
}

TEST(OvxcBlock, StepperActionsWriteTheTextOfTheirClampedTag) {
    OvxcPage s;
    QSpinBox* stepper = s.control<QSpinBox>("BasicGain1");
    stepper->setProperty("tag", 15);
    stepper->setValue(42);
    EXPECT_EQ(s.control<QLabel>("txtHoverGain2")->text(), "42%");
    stepper->setProperty("tag", -3);
    stepper->setValue(43);
    EXPECT_EQ(s.control<QLabel>("txtBasicGain1")->text(), "43%");
    s.control<QSpinBox>("HoverOffset1")->setValue(-3);
    EXPECT_EQ(s.control<QLabel>("txtHoverOffset1")->text(), QString::fromUtf8("-0.6°"));
    s.control<QSpinBox>("TravelLimit7")->setValue(120);
    EXPECT_EQ(s.control<QLabel>("txtTravelLimit7")->text(), "120%");
    s.control<QSpinBox>("SubTrim3")->setValue(-7);
    EXPECT_EQ(s.control<QLabel>("txtSubTrim3")->text(), "-7");
    s.control<QSpinBox>("MaxAngle2")->setValue(60);
    EXPECT_EQ(s.control<QLabel>("txtMaxAngle2")->text(), QString::fromUtf8("60°"));
}

TEST(OvxcBlock, OutletGroupsKeepTheirOrderAndTags) {
    OvxcPage s;
    auto names = [](const auto& group) {
        QStringList out;
        for (const QObject* control : group)
            out << control->objectName();
        return out;
    };
    EXPECT_EQ(names(s.page->rcGroup()).size(), 9);
    EXPECT_EQ(names(s.page->rcMappingGroup()).last(), "RcMapping9");
    EXPECT_EQ(names(s.page->servoReverseGroup()).last(), "ServoReverse5");
    EXPECT_EQ(names(s.page->travelLimitGroup()).last(), "TravelLimit10");
    for (const auto& group :
         {s.page->wingTypeGroup(), s.page->mountingGroup(), s.page->gyroEnableGroup().mid(0, 2)})
        for (int i = 0; i < group.size(); ++i)
            EXPECT_EQ(group[i]->property("tag").toInt(), i) << group[i]->objectName().toStdString();
    const QList<QComboBox*> outputs = s.page->outputMappingGroup();
    for (int i = 0; i < outputs.size(); ++i)
        EXPECT_EQ(outputs[i]->property("tag").toInt(), i);
    const QList<QSpinBox*> gains = s.page->gainGroup();
    for (int i = 0; i < gains.size(); ++i)
        EXPECT_EQ(gains[i]->property("tag").toInt(), i);
}

} // namespace
