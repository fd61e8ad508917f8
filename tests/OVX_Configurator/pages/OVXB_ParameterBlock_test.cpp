// The OVXB page's parameter block: every field decoded into its control and encoded back, the
// value texts, the wing type and receiver type dependencies and the control actions.

#include "BlockTable.h"
#include "OvxbPage.h"

#include "OVX_Configurator/Resources.h"
#include "OVX_Configurator/pages/PageControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using testsupport::OvxbPage;
using testsupport::Field;
using testsupport::Kind;

// The block from byte 15 to byte 85, one entry per byte.
std::vector<Field> blockTable() {
    std::vector<Field> t;
    auto add = [&](int offset, const char* name, Kind kind, int buttons = 0) {
        t.push_back({offset, name, kind, buttons});
    };
    const char* names[] = {"LevelOffset1", "LevelOffset2", "HoverOffset1", "HoverOffset2"};
    for (int i = 0; i < 4; ++i)
        add(15 + i, names[i], Kind::Signed);
    add(19, "SwitchType", Kind::Switch);
    static const char* modes[] = {"FlightMode1", "FlightMode2", "FlightMode3",
                                  "FlightMode4", "FlightMode5", "FlightMode6"};
    for (int i = 0; i < 6; ++i)
        add(20 + i, modes[i], Kind::PopUp);
    static const char* userModes[] = {"UserMode1", "UserMode2", "UserMode3"};
    for (int i = 0; i < 3; ++i)
        add(26 + i, userModes[i], Kind::PopUp);
    add(29, "WingType", Kind::Radio, 7);
    add(30, "Mounting", Kind::Radio, 4);
    add(31, "ReceiverType", Kind::Radio, 3);
    static const char* mapping[] = {"RcMapping1", "RcMapping2", "RcMapping3", "RcMapping4",
                                    "RcMapping5", "RcMapping6", "RcMapping7"};
    for (int i = 0; i < 7; ++i)
        add(32 + i, mapping[i], Kind::PopUp);
    static const char* enables[] = {"GyroEnable1", "GyroEnable2", "GyroEnable3"};
    for (int i = 0; i < 3; ++i)
        add(39 + i, enables[i], Kind::Switch);
    static const char* reverses[] = {"GyroReverse1", "GyroReverse2", "GyroReverse3", "GyroReverse4",
                                     "GyroReverse5"};
    for (int i = 0; i < 5; ++i)
        add(42 + i, reverses[i], Kind::Switch);
    static const char* gains[] = {"BasicGain1", "BasicGain2", "BasicGain3", "LockGain1",
                                  "LockGain2",  "LockGain3",  "AngleGain1", "AngleGain2",
                                  "LevelGain1", "LevelGain2", "HoverGain1", "HoverGain2"};
    for (int i = 0; i < 12; ++i)
        add(47 + i, gains[i], Kind::Unsigned);
    static const char* drops[] = {"GainDrop1", "GainDrop2", "GainDrop3"};
    for (int i = 0; i < 3; ++i)
        add(59 + i, drops[i], Kind::PopUp);
    static const char* trims[] = {"SubTrim1", "SubTrim2", "SubTrim3", "SubTrim4", "SubTrim5"};
    for (int i = 0; i < 5; ++i)
        add(62 + i, trims[i], Kind::Signed);
    static const char* travels[] = {"TravelLimit1", "TravelLimit2", "TravelLimit3", "TravelLimit4",
                                    "TravelLimit5", "TravelLimit6", "TravelLimit7", "TravelLimit8",
                                    "TravelLimit9", "TravelLimit10"};
    for (int i = 0; i < 10; ++i)
        add(67 + i, travels[i], Kind::Unsigned);
    add(77, "MaxAngle1", Kind::Unsigned);
    add(78, "MaxAngle2", Kind::Unsigned);
    add(79, "StickDeadband", Kind::Unsigned);
    add(80, "ServoFrequency", Kind::PopUp);
    add(81, "GyroLpf", Kind::PopUp);
    add(82, "AccLpf", Kind::Unsigned);
    add(83, "GainLevel", Kind::PopUp);
    add(84, "RRMode", Kind::Switch);
    add(85, "MaxRate", Kind::PopUp);
    return t;
}

// A block whose every field holds a value its control can show: random bytes elsewhere.
QByteArray randomBlock(OvxbPage& s, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray block(91, '\0');
    for (char& byte : block)
        byte = char(random.bounded(256));
    for (const Field& f : blockTable()) {
        int limit = 256;
        if (f.kind == Kind::Switch)
            limit = 2;
        else if (f.kind == Kind::Radio)
            limit = f.buttons;
        else if (f.kind == Kind::PopUp)
            limit = s.control<QComboBox>(f.control.constData())->count();
        block[f.offset] = char(random.bounded(limit));
    }
    return block;
}

TEST(OvxbBlock, EveryFieldReachesItsControlAndComesBackUnchanged) {
    OvxbPage s;
    for (quint32 seed : {1u, 2u, 3u, 4u}) {
        const QByteArray block = randomBlock(s, seed);
        s.load(block);
        testsupport::expectShown(s, blockTable(), block);
        s.page->uiToData();
        EXPECT_EQ(s.main->data, block) << "seed " << seed;
    }
    EXPECT_TRUE(s.commands().isEmpty()); // filling the controls sends nothing
    EXPECT_TRUE(s.shell.ui.alerts.empty());
}

TEST(OvxbBlock, AReadBlockIsWrittenBackByteForByte) {
    OvxbPage s;
    QByteArray block = randomBlock(s, 7);
    block[1] = char(s.unit.firmwareVersion());
    block[2] = char(s.unit.dataVersion());
    s.unit.setBlock(block);
    s.control<QPushButton>("btnRead")->click();
    ASSERT_TRUE(s.waitLong([&] { return s.main->data == block; }));
    s.control<QPushButton>("btnWrite")->click();
    ASSERT_EQ(s.lastHeadline(), testsupport::headline("WRITE_CONFIRM")); // no channel question
    s.answer(0);
    ASSERT_TRUE(s.waitLong([&] { return s.unit.count("W") == 1; }));
    EXPECT_EQ(s.commands(),
              (QList<QByteArray>{"R", "r", "R", testsupport::writeFrame(block)}));
}

TEST(OvxbBlock, ValueTextsOfSignedAndUnsignedBytes) {
    OvxbPage s;
    QByteArray block = testsupport::expectValueTexts(s, {
        {15, 0xFB, "LevelOffset1", -5, "txtLevelOffset1", "-1.0°"},
        {16, 0x05, "LevelOffset2", 5, "txtLevelOffset2", "1.0°"},
        {17, 0x01, "HoverOffset1", 1, "txtHoverOffset1", "0.2°"},
        {18, 0x80, "HoverOffset2", -128, "txtHoverOffset2", "-25.6°"},
        {62, 0x80, "SubTrim1", -128, "txtSubTrim1", "-128"},
        {66, 0x7F, "SubTrim5", 127, "txtSubTrim5", "127"},
        {47, 0xC8, "BasicGain1", 200, "txtBasicGain1", "200%"},
        {58, 0xFF, "HoverGain2", 255, "txtHoverGain2", "255%"},
        {76, 0x96, "TravelLimit10", 150, "txtTravelLimit10", "150%"},
        {78, 0xB4, "MaxAngle2", 180, "txtMaxAngle2", "180°"},
        {79, 0x80, "StickDeadband", 128, "txtStickDeadband", "128%"},
        {82, 0xC8, "AccLpf", 200, "txtAccLpf", "200Hz"},
    });
    // Encoding: the stepper's value in two's complement.
    block = s.main->data;
    s.control<QSpinBox>("LevelOffset1")->setValue(3);
    s.control<QSpinBox>("LevelOffset1")->setValue(-5);
    EXPECT_EQ(s.control<QLabel>("txtLevelOffset1")->text(), QString::fromUtf8("-1.0°"));
    s.main->data[15] = 0;
    s.page->uiToData();
    EXPECT_EQ(s.main->data, block);
    EXPECT_EQ(quint8(s.main->data[15]), 0xFB);
}

TEST(OvxbBlock, SteppersShowTheirValueInTheTextOfTheirTag) {
    OvxbPage s;
    auto check = [&](const QList<QSpinBox*>& steppers, const QList<QLabel*>& texts,
                     const QString& unit, const char* group) {
        ASSERT_EQ(steppers.size(), texts.size()) << group;
        for (int i = 0; i < steppers.size(); ++i) {
            EXPECT_EQ(steppers[i]->property("tag").toInt(), i) << group;
            steppers[i]->setValue(100 + i);
            EXPECT_EQ(texts[i]->text(), QString::number(100 + i) + unit) << group << " " << i;
        }
    };
    check(s.page->gainGroup(), s.page->txtGainGroup(), "%", "gains");
    check(s.page->subTrimGroup(), s.page->txtSubTrimGroup(), "", "sub-trims");
    check(s.page->travelLimitGroup(), s.page->txtTravelLimitGroup(), "%", "travel limits");
    check({s.control<QSpinBox>("MaxAngle1"), s.control<QSpinBox>("MaxAngle2")},
          {s.control<QLabel>("txtMaxAngle1"), s.control<QLabel>("txtMaxAngle2")},
          QString::fromUtf8("°"), "maximum angles");
    const QList<QSpinBox*> offsets = s.page->offsetGroup();
    for (int i = 0; i < offsets.size(); ++i) {
        EXPECT_EQ(offsets[i]->property("tag").toInt(), i);
        offsets[i]->setValue(-10 - i);
        EXPECT_EQ(s.page->txtOffsetGroup()[i]->text(),
                  QString::number((-10 - i) * 0.2, 'f', 1) + QString::fromUtf8("°"));
    }
}

TEST(OvxbBlock, WingTypeChoosesItsButtonAndTheControlsOfOutputs4And5) {
    // Enabled: output 4 (sub-trim, travel limits 7 and 8, reversal), output 5 (the same with
    // travel limits 9 and 10).
    struct Case {
        quint8 byte;
        int button;
        bool output4, output5;
    };
    const Case cases[] = {{0, 0, false, false}, {1, 1, true, false},  {2, 2, false, true},
                          {3, 3, true, true},   {4, 4, false, false}, {5, 5, false, false},
                          {6, 6, true, false},  {9, 6, true, false}};
    OvxbPage s;
    for (const Case& c : cases) {
        QByteArray block = s.main->data;
        block[29] = char(c.byte);
        s.load(block);
        const QList<QAbstractButton*> buttons = s.page->wingTypeGroup();
        for (int i = 0; i < buttons.size(); ++i)
            EXPECT_EQ(buttons[i]->isChecked(), i == c.button) << int(c.byte);
        EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgWingType"),
                                              OVXB_ViewController::fnameWingType[0][c.button]));
        for (const char* name : {"SubTrim4", "txtSubTrim4", "TravelLimit7", "TravelLimit8",
                                 "txtTravelLimit7", "txtTravelLimit8", "GyroReverse4"})
            EXPECT_EQ(s.control<QWidget>(name)->isEnabled(), c.output4) << name << int(c.byte);
        for (const char* name : {"SubTrim5", "txtSubTrim5", "TravelLimit9", "TravelLimit10",
                                 "txtTravelLimit9", "txtTravelLimit10", "GyroReverse5"})
            EXPECT_EQ(s.control<QWidget>(name)->isEnabled(), c.output5) << name << int(c.byte);
    }
    // Choosing a wing type on the page applies it at once.
    s.control<QRadioButton>("WingType4")->click();
    EXPECT_TRUE(s.control<QSpinBox>("SubTrim5")->isEnabled());
    s.control<QRadioButton>("WingType5")->click();
    EXPECT_FALSE(s.control<QSpinBox>("SubTrim4")->isEnabled());
    EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgWingType"), "ovxb_wingtype_5"));
}

TEST(OvxbBlock, MountingChoosesItsButtonAndPicture) {
    OvxbPage s;
    for (quint8 byte : {0, 1, 2, 3, 200}) {
        const int shown = std::min<int>(byte, 3);
        QByteArray block = s.main->data;
        block[30] = char(byte);
        s.load(block);
        EXPECT_TRUE(s.page->mountingGroup()[shown]->isChecked()) << int(byte);
        EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgMounting"),
                                              OVXB_ViewController::fnameMounting[0][shown]))
            << int(byte);
    }
    s.control<QRadioButton>("Mounting2")->click();
    EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgMounting"), "ovxb_mounting_2"));
}

TEST(OvxbBlock, EveryPictureOfThePageIsThereAndAMissingOneShowsNothing) {
    OvxbPage s;
    QStringList names;
    for (const auto& row : OVXB_ViewController::fnameWingType)
        names += QStringList(row.begin(), row.end());
    for (const auto& row : OVXB_ViewController::fnameMounting)
        names += QStringList(row.begin(), row.end());
    names += QStringList(OVXB_ViewController::fnameAccelCalibration.begin(),
                         OVXB_ViewController::fnameAccelCalibration.end());
    names +=
        {"servo_trimming_en", "servo_trimming_cn", "servo_travelling_en", "servo_travelling_cn"};
    for (const QString& name : names)
        EXPECT_FALSE(imageNamed(name, QSize(240, 160)).isNull()) << name.toStdString();

    QLabel* view = s.control<QLabel>("imgWingType");
    showPicture(view, QStringLiteral("no_such_picture"));
    EXPECT_TRUE(view->pixmap().isNull());
}

TEST(OvxbBlock, ChannelMappingIsEditableOnlyWithoutTheFirstReceiverType) {
    OvxbPage s;
    for (quint8 type : {0, 1, 2, 0}) {
        QByteArray block = s.main->data;
        block[31] = char(type);
        s.load(block);
        for (QComboBox* popUp : s.page->rcMappingGroup())
            EXPECT_EQ(popUp->isEnabled(), type != 0) << int(type);
    }
    s.control<QRadioButton>("ReceiverType2")->click();
    for (QComboBox* popUp : s.page->rcMappingGroup())
        EXPECT_TRUE(popUp->isEnabled());
    s.control<QRadioButton>("ReceiverType1")->click();
    for (QComboBox* popUp : s.page->rcMappingGroup())
        EXPECT_FALSE(popUp->isEnabled());
}

TEST(OvxbBlock, GyroEnables4And5MirrorTheFirstTwoAndAreNeverStored) {
    OvxbPage s;
    QByteArray block = s.main->data;
    block[39] = 1;
    block[40] = 0;
    s.load(block);
    EXPECT_TRUE(s.control<QCheckBox>("GyroEnable4")->isChecked());
    EXPECT_FALSE(s.control<QCheckBox>("GyroEnable5")->isChecked());
    s.control<QCheckBox>("GyroEnable2")->click();
    EXPECT_TRUE(s.control<QCheckBox>("GyroEnable5")->isChecked());
    s.control<QCheckBox>("GyroEnable1")->click();
    EXPECT_FALSE(s.control<QCheckBox>("GyroEnable4")->isChecked());

    // Bytes 39-41 are GyroEnable1-3; the mirrors are not read.
    s.control<QCheckBox>("GyroEnable4")->setChecked(true);
    s.control<QCheckBox>("GyroEnable5")->setChecked(false);
    s.page->uiToData();
    EXPECT_EQ(s.main->data.mid(39, 3), QByteArray::fromHex("000100"));
}

TEST(OvxbBlock, SwitchesShowTheirBoxes) {
    OvxbPage s;
    QByteArray block = s.main->data;
    block[19] = 1;
    block[84] = 0;
    s.load(block);
    EXPECT_FALSE(s.control<QWidget>("boxSixWaySwitch")->isHidden());
    EXPECT_TRUE(s.control<QWidget>("boxRRMode")->isHidden());
    s.control<QCheckBox>("SwitchType")->click();
    s.control<QCheckBox>("RRMode")->click();
    EXPECT_TRUE(s.control<QWidget>("boxSixWaySwitch")->isHidden());
    EXPECT_FALSE(s.control<QWidget>("boxRRMode")->isHidden());
}

TEST(OvxbBlock, ResetChannelMappingSelectsTheDefaultFunctions) {
    OvxbPage s;
    s.page->resetChannelMapping();
    QList<int> items;
    for (QComboBox* popUp : s.page->rcMappingGroup())
        items << popUp->currentIndex();
    EXPECT_EQ(items, (QList<int>{1, 2, 4, 6, 7, 8, 5}));
    EXPECT_EQ(s.main->data.mid(32, 7), QByteArray(7, '\0')); // only the controls change
}

TEST(OvxbBlock, AFileKeepsItsUnusedBytesThroughThePage) {
    OvxbPage s;
    QByteArray file = randomBlock(s, 11);
    s.load(file); // as after opening a parameter file
    s.control<QSpinBox>("BasicGain2")->setValue(77);
    s.page->uiToData();
    QByteArray expected = file;
    expected[48] = 77;
    EXPECT_EQ(s.main->data, expected); // bytes 0-14 and 86-90 as the file had them
}

TEST(OvxbBlock, AShortBlockIsNotDecoded) {
    OvxbPage s;
    s.control<QSpinBox>("BasicGain1")->setValue(42);
    s.load(QByteArray(40, char(0x33)));
    EXPECT_EQ(s.control<QSpinBox>("BasicGain1")->value(), 42);
    s.page->uiToData();
    EXPECT_EQ(s.main->data, QByteArray(40, char(0x33)));
}

TEST(OvxbBlock, OutletGroupsKeepTheirOrder) {
    OvxbPage s;
    auto names = [](const auto& group) {
        QStringList out;
        for (const QObject* control : group)
            out << control->objectName();
        return out;
    };
    EXPECT_EQ(names(s.page->gainGroup()),
              (QStringList{"BasicGain1", "BasicGain2", "BasicGain3", "LockGain1", "LockGain2",
                           "LockGain3", "AngleGain1", "AngleGain2", "LevelGain1", "LevelGain2",
                           "HoverGain1", "HoverGain2"}));
    EXPECT_EQ(names(s.page->offsetGroup()),
              (QStringList{"LevelOffset1", "LevelOffset2", "HoverOffset1", "HoverOffset2"}));
    EXPECT_EQ(names(s.page->accCalibrationValueGroup()),
              (QStringList{"AccOffsetX", "AccOffsetY", "AccOffsetZ", "AccGravityX", "AccGravityY",
                           "AccGravityZ"}));
    EXPECT_EQ(names(s.page->travelLimitGroup()).last(), "TravelLimit10");
    EXPECT_EQ(names(s.page->rightLimitMarkGroup()).first(), "RightLimitMark1");
    // Tags of the radio buttons and gyro enables: their position in the group.
    for (const auto& group : {s.page->wingTypeGroup(), s.page->mountingGroup()})
        for (int i = 0; i < group.size(); ++i)
            EXPECT_EQ(group[i]->property("tag").toInt(), i) << group[i]->objectName().toStdString();
    EXPECT_EQ(s.control<QWidget>("ReceiverType3")->property("tag").toInt(), 2);
    EXPECT_EQ(s.control<QWidget>("GyroEnable2")->property("tag").toInt(), 1);
}

TEST(OvxbBlock, AccelerometerValuesAreSignedLittleEndianTexts) {
    OvxbPage s;
    QByteArray block = s.main->data;
    const QByteArray values = QByteArray::fromHex("FFFF"
                                                  "3412"
                                                  "0080"
                                                  "0020"
                                                  "FF7F"
                                                  "0000");
    block.replace(3, 12, values);
    s.load(block);
    QStringList texts;
    for (QLabel* text : s.page->accCalibrationValueGroup())
        texts << text->text();
    EXPECT_EQ(texts, (QStringList{"-1", "4660", "-32768", "8192", "32767", "0"}));
}

} // namespace
