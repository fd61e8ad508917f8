// The OVXA page's parameter block: every field decoded into its control and encoded back, the
// value texts, the pictures, the receiver type and gyro enable dependencies, and the factory
// table.

#include "BlockTable.h"
#include "OvxaPage.h"

#include "OVX_Configurator/Resources.h"
#include "support/Outlets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using testsupport::Field;
using testsupport::Kind;
using testsupport::OvxaPage;

// The block from byte 3 to byte 56, one entry per byte.
std::vector<Field> blockTable() {
    std::vector<Field> t;
    int offset = 3;
    auto add = [&](std::initializer_list<const char*> names, Kind kind, int buttons = 0) {
        for (const char* name : names)
            t.push_back({offset++, name, kind, buttons});
    };
    add({"FlightMode1", "FlightMode2", "FlightMode3", "UserMode1", "UserMode2", "UserMode3"},
        Kind::PopUp);
    add({"WingType"}, Kind::Radio, 3);
    add({"Mounting"}, Kind::Radio, 4);
    add({"TravelLimit1", "TravelLimit2", "TravelLimit3", "TravelLimit4", "TravelLimit5",
         "TravelLimit6"},
        Kind::Unsigned);
    add({"GyroEnable1", "GyroEnable2", "GyroEnable3", "GyroReverse1", "GyroReverse2",
         "GyroReverse3", "GyroReverse4", "GyroReverse5"},
        Kind::Switch);
    add({"BasicGain1", "BasicGain2", "BasicGain3", "LockGain1", "LockGain2", "LockGain3",
         "LevelGain1", "LevelGain2", "HoverGain1", "HoverGain2"},
        Kind::Unsigned);
    add({"GainRate1", "GainRate2", "GainRate3", "GainRate4"}, Kind::PopUp);
    add({"ReceiverType"}, Kind::Radio, 3);
    add({"ServoFrequency", "ResponseRate", "StickMode", "RotationRate", "AngleRate"},
        Kind::PopUp);
    add({"StickDeadband"}, Kind::Unsigned);
    add({"RcMapping1", "RcMapping2", "RcMapping3", "RcMapping4", "RcMapping5", "RcMapping6",
         "RcMapping7"},
        Kind::PopUp);
    add({"LevelOffset1", "LevelOffset2", "HoverOffset1", "HoverOffset2"}, Kind::Signed);
    EXPECT_EQ(offset, 57);
    return t;
}

QByteArray randomBlock(OvxaPage& s, quint32 seed) {
    return testsupport::randomBlock(s, blockTable(), OVXA_ViewController::blockLength, seed);
}

TEST(OvxaBlock, EveryFieldReachesItsControlAndComesBackUnchanged) {
    OvxaPage s;
    for (quint32 seed : {1u, 2u, 3u, 4u}) {
        const QByteArray block = randomBlock(s, seed);
        s.load(block);
        testsupport::expectShown(s, blockTable(), block);
        // Bytes 0-2 and 57-70 are never touched, whatever they hold.
        QByteArray expected = block;
        s.main->data[0] = char(0xA5);
        s.main->data[70] = char(0x5A);
        expected[0] = char(0xA5);
        expected[70] = char(0x5A);
        s.page->uiToData();
        EXPECT_EQ(s.main->data, expected) << "seed " << seed;
    }
    EXPECT_TRUE(s.commands().isEmpty()); // filling the controls sends nothing
    EXPECT_TRUE(s.shell.ui.alerts.empty());
}

TEST(OvxaBlock, ValueTextsAndVersions) {
    struct Case {
        int offset;
        quint8 byte;
        const char* stepper;
        int value;
        const char* shown;
    };
    const Case cases[] = {
        {53, 0xFB, "LevelOffset1", -5, "-5°"},    {54, 0x05, "LevelOffset2", 5, "5°"},
        {55, 0x80, "HoverOffset1", -128, "-128°"}, {56, 0x7F, "HoverOffset2", 127, "127°"},
        {11, 0x64, "TravelLimit1", 100, "100%"},   {16, 0xFF, "TravelLimit6", 255, "255%"},
        {25, 0x32, "BasicGain1", 50, "50%"},       {34, 0xC8, "HoverGain2", 200, "200%"},
        {45, 0x05, "StickDeadband", 5, "5%"},
    };
    OvxaPage s;
    QByteArray block = s.main->data;
    block[1] = char(0x18);
    block[2] = char(0x2A);
    for (const Case& c : cases)
        block[c.offset] = char(c.byte);
    s.load(block);
    for (const Case& c : cases) {
        EXPECT_EQ(s.control<QSpinBox>(c.stepper)->value(), c.value) << c.stepper;
        EXPECT_EQ(s.control<QLabel>((QByteArray("txt") + c.stepper).constData())->text(),
                  QString::fromUtf8(c.shown))
            << c.stepper;
    }
    // The status bar names the connected unit's versions (firmware 0x13, data 0x10), not the
    // block's.
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "statusFirmwareVersion")->text(), "V1.3");
    EXPECT_EQ(testsupport::outlet<QLabel>(s.main, "statusDataVersion")->text(), "V1.0");

    // Encoding a negative offset stores it in two's complement.
    s.main->data[53] = 0;
    s.page->uiToData();
    EXPECT_EQ(quint8(s.main->data[53]), 0xFB);
    s.control<QSpinBox>("LevelOffset2")->setValue(-1);
    EXPECT_EQ(s.control<QLabel>("txtLevelOffset2")->text(), QString::fromUtf8("-1°"));
    s.page->uiToData();
    EXPECT_EQ(quint8(s.main->data[54]), 0xFF);
}

TEST(OvxaBlock, SteppersShowTheirValueInTheTextOfTheirTag) {
    OvxaPage s;
    auto check = [&](const QList<QSpinBox*>& steppers, const QList<QLabel*>& texts,
                     const QString& unit, int first, const char* group) {
        ASSERT_EQ(steppers.size(), texts.size()) << group;
        for (int i = 0; i < steppers.size(); ++i) {
            EXPECT_EQ(steppers[i]->property("tag").toInt(), i) << group;
            steppers[i]->setValue(first + i);
            EXPECT_EQ(texts[i]->text(), QString::number(first + i) + unit) << group << " " << i;
        }
    };
    check(s.page->gainGroup(), s.page->txtGainGroup(), "%", 100, "gains");
    check(s.page->travelLimitGroup(), s.page->txtTravelLimitGroup(), "%", 120, "travel limits");
    check(s.page->offsetGroup(), s.page->txtOffsetGroup(), QString::fromUtf8("°"), -12,
          "offsets");
    s.control<QSpinBox>("StickDeadband")->setValue(9);
    EXPECT_EQ(s.control<QLabel>("txtStickDeadband")->text(), "9%");
    EXPECT_TRUE(s.main->data.mid(3, 54) == s.unit.block().mid(3, 54)); // only the controls
}

TEST(OvxaBlock, WingTypeAndMountingChooseTheirButtonAndPictureInEitherLanguage) {
    OvxaPage s;
    for (quint8 byte : {0, 1, 2, 7}) {
        QByteArray block = s.main->data;
        block[9] = char(byte);
        block[10] = char(byte);
        s.load(block);
        const int wing = std::min<int>(byte, 2);
        const int mounting = std::min<int>(byte, 3);
        EXPECT_TRUE(s.page->wingTypeGroup()[wing]->isChecked()) << int(byte);
        EXPECT_TRUE(s.page->mountingGroup()[mounting]->isChecked()) << int(byte);
        EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgWingType"),
                                              OVXA_ViewController::fnameWingType[1][wing]));
        EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgMounting"),
                                              OVXA_ViewController::fnameMounting[1][mounting]));
    }
    // Byte 9 = 7 shows the last wing type; encoding stores 2.
    s.page->uiToData();
    EXPECT_EQ(s.main->data[9], 2);
    EXPECT_EQ(s.main->data[10], 3);

    s.control<QRadioButton>("WingType2")->click();
    EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgWingType"), "ovxa_wingtype_2"));
    s.control<QRadioButton>("Mounting1")->click();
    EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgMounting"), "ovxa_mounting_1"));

    // Both picture rows name the same pictures, and every one of them is there.
    EXPECT_EQ(OVXA_ViewController::fnameWingType[0], OVXA_ViewController::fnameWingType[1]);
    EXPECT_EQ(OVXA_ViewController::fnameMounting[0], OVXA_ViewController::fnameMounting[1]);
    for (const char* name : OVXA_ViewController::fnameWingType[0])
        EXPECT_FALSE(imageNamed(QString::fromLatin1(name), QSize(160, 100)).isNull()) << name;
    for (const char* name : OVXA_ViewController::fnameMounting[0])
        EXPECT_FALSE(imageNamed(QString::fromLatin1(name), QSize(160, 100)).isNull()) << name;
}

TEST(OvxaBlock, ChannelMappingIsEditableOnlyWithoutTheFirstReceiverTypeAndAlwaysStored) {
    OvxaPage s;
    for (quint8 type : {0, 1, 2, 0}) {
        QByteArray block = s.main->data;
        block[39] = char(type);
        block[46] = 8;
        s.load(block);
        for (QComboBox* popUp : s.page->rcMappingGroup())
            EXPECT_EQ(popUp->isEnabled(), type != 0) << int(type);
        EXPECT_EQ(s.control<QComboBox>("RcMapping1")->currentIndex(), 8); // decoded when disabled
    }
    s.control<QComboBox>("RcMapping7")->setCurrentIndex(3); // and stored
    s.page->uiToData();
    EXPECT_EQ(s.main->data[52], 3);
    for (const char* type : {"ReceiverType3", "ReceiverType1"}) {
        s.control<QRadioButton>(type)->click();
        for (QComboBox* popUp : s.page->rcMappingGroup())
            EXPECT_EQ(popUp->isEnabled(), QByteArray(type) != "ReceiverType1") << type;
    }
}

// Bytes 17-19 are GyroEnable1-3; switches 4 and 5 follow 1 and 2 and are never stored.
TEST(OvxaBlock, GyroEnables4And5MirrorTheFirstTwoAndAreNeverStored) {
    OvxaPage s;
    QByteArray block = s.main->data;
    block[17] = 1;
    block[18] = 0;
    s.load(block);
    auto box = [&](const char* name) { return s.control<QCheckBox>(name); };
    EXPECT_TRUE(box("GyroEnable4")->isChecked());
    EXPECT_FALSE(box("GyroEnable5")->isChecked());
    box("GyroEnable2")->click();
    EXPECT_TRUE(box("GyroEnable5")->isChecked());
    box("GyroEnable1")->click();
    EXPECT_FALSE(box("GyroEnable4")->isChecked());
    box("GyroEnable4")->setChecked(true);
    box("GyroEnable5")->setChecked(false);
    s.page->uiToData();
    EXPECT_EQ(s.main->data.mid(17, 3), QByteArray::fromHex("000100"));
}

TEST(OvxaBlock, AShortBlockIsNotDecodedNorEncoded) {
    OvxaPage s;
    s.control<QSpinBox>("BasicGain1")->setValue(42);
    s.load(QByteArray(56, char(0x33)));
    EXPECT_EQ(s.control<QSpinBox>("BasicGain1")->value(), 42);
    s.page->uiToData();
    EXPECT_EQ(s.main->data, QByteArray(56, char(0x33)));
}

TEST(OvxaBlock, TheFactoryTable) {
    const QByteArray table(reinterpret_cast<const char*>(OVXA_ViewController::defaultData.data()),
                           int(OVXA_ViewController::defaultData.size()));
    EXPECT_EQ(table.toHex(' '), "00 00 00 01 02 03 01 01 01 00 00 64 64 64 64 64 64 01 01 01 00 "
                                "00 00 00 01 32 32 32 32 32 32 32 32 32 32 01 01 01 02 00 00 02 "
                                "00 02 02 05 01 02 04 06 07 08 05 00 00 00 00");
    // Every factory value is one the page's controls can show and store again.
    OvxaPage s;
    QByteArray block = s.main->data;
    block.replace(3, 54, table.mid(3));
    s.load(block);
    for (const Field& f : blockTable())
        EXPECT_EQ(testsupport::shownValue(s, f), int(quint8(table[f.offset]))) << f.control.constData();
    s.page->uiToData();
    EXPECT_EQ(s.main->data, block);
}

} // namespace
