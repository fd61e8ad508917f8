// The OVXD page's parameter block: every field decoded into its control and encoded back, the
// receiver sub-type list by receiver type and firmware, the default channel mappings, the
// pictures and the control actions.

#include "BlockTable.h"
#include "OvxdPage.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/Resources.h"
#include "support/Outlets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <string>

namespace {

using testsupport::Field;
using testsupport::Kind;
using testsupport::OvxdPage;

// The block from byte 15 to byte 70, one entry per byte.
const std::vector<Field>& blockTable() {
    static const std::vector<Field> table = [] {
        std::vector<Field> t;
        auto named = [&](int first, const QList<QByteArray>& names, Kind kind) {
            for (const QByteArray& name : names)
                t.push_back({first++, name, kind});
        };
        auto numbered = [&](int first, const QByteArray& prefix, int count, Kind kind) {
            for (int i = 1; i <= count; ++i)
                t.push_back({first++, prefix + QByteArray::number(i), kind});
        };
        named(15, {"LevelOffset1", "LevelOffset2", "HoverOffset1", "HoverOffset2"}, Kind::Signed);
        numbered(19, "FlightMode", 3, Kind::PopUp);
        t.push_back({22, "WingType", Kind::Radio, 3});
        t.push_back({23, "Mounting", Kind::Radio, 4});
        named(24, {"ReceiverType", "ReceiverSubType"}, Kind::PopUp);
        numbered(26, "RcMapping", 7, Kind::PopUp);
        numbered(33, "GyroEnable", 3, Kind::Switch);
        numbered(36, "GyroReverse", 4, Kind::Switch);
        named(40,
              {"BasicGain1", "BasicGain2", "BasicGain3", "LockGain1", "LockGain2", "LockGain3",
               "AngleGain1", "AngleGain2", "LevelGain1", "LevelGain2", "HoverGain1", "HoverGain2"},
              Kind::Unsigned);
        numbered(52, "SubTrim", 4, Kind::Signed);
        numbered(56, "TravelLimit", 8, Kind::Unsigned);
        named(64, {"MaxAngle1", "MaxAngle2", "StickDeadband"}, Kind::Unsigned);
        named(67, {"ServoFrequency", "GainLevel", "ControlBehavior", "SpekBindOption"},
              Kind::PopUp);
        return t;
    }();
    return table;
}

// A block whose every field holds a value its control can show; the sub-type is one of the list
// its receiver type and the unit's firmware offer.
QByteArray randomBlock(OvxdPage& s, quint32 seed) {
    QByteArray block = testsupport::randomBlock(s, blockTable(), 71, seed);
    const int items =
        int(OVXD_ViewController::receiverSubTypeItems(block[24], s.main->firmwareVersion).size());
    block[25] = char(seed % quint32(items));
    return block;
}

TEST(OvxdBlock, EveryFieldReachesItsControlAndComesBackUnchanged) {
    OvxdPage s;
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u}) {
        const QByteArray block = randomBlock(s, seed);
        s.load(block);
        testsupport::expectShown(s, blockTable(), block);
        s.page->uiToData();
        EXPECT_EQ(s.main->data, block) << "seed " << seed;
    }
    EXPECT_TRUE(s.commands().isEmpty()); // filling the controls sends nothing
    EXPECT_TRUE(s.shell.ui.alerts.empty());
}

TEST(OvxdBlock, VersionsAndCalibrationValues) {
    OvxdPage s;
    testsupport::expectVersionsAndCalibrationValues(s);
}

TEST(OvxdBlock, ValueTexts) {
    OvxdPage s;
    testsupport::expectValueTexts(s,
                                  {
                                      {15, 0xFB, "LevelOffset1", -5, "txtLevelOffset1", "-1.0°"},
                                      {18, 0x80, "HoverOffset2", -128, "txtHoverOffset2", "-25.6°"},
                                      {17, 0x7F, "HoverOffset1", 127, "txtHoverOffset1", "25.4°"},
                                      {40, 0xC8, "BasicGain1", 200, "txtBasicGain1", "200%"},
                                      {51, 0xFF, "HoverGain2", 255, "txtHoverGain2", "255%"},
                                      {52, 0x80, "SubTrim1", -128, "txtSubTrim1", "-128"},
                                      {55, 0x05, "SubTrim4", 5, "txtSubTrim4", "5"},
                                      {63, 0x96, "TravelLimit8", 150, "txtTravelLimit8", "150%"},
                                      {65, 0xB4, "MaxAngle2", 180, "txtMaxAngle2", "180°"},
                                      {66, 0x0A, "StickDeadband", 10, "txtStickDeadband", "10%"},
                                  });
    // Encoding -5 stores 251.
    const QByteArray block = s.main->data;
    s.control<QSpinBox>("LevelOffset1")->setValue(0);
    s.control<QSpinBox>("LevelOffset1")->setValue(-5);
    EXPECT_EQ(s.control<QLabel>("txtLevelOffset1")->text(), QString::fromUtf8("-1.0°"));
    s.main->data[15] = 0;
    s.page->uiToData();
    EXPECT_EQ(s.main->data, block);
}

TEST(OvxdBlock, SteppersShowTheirValueInTheTextOfTheirTag) {
    OvxdPage s;
    struct Group {
        QList<QSpinBox*> steppers;
        QList<QLabel*> texts;
        std::function<QString(int)> format;
    };
    auto unit = [](const char* suffix) {
        return [suffix](int v) { return QString::number(v) + QString::fromUtf8(suffix); };
    };
    const Group groups[] = {
        {s.page->gainGroup(), s.page->txtGainGroup(), unit("%")},
        {s.page->subTrimGroup(), s.page->txtSubTrimGroup(), unit("")},
        {s.page->travelLimitGroup(), s.page->txtTravelLimitGroup(), unit("%")},
        {{s.control<QSpinBox>("MaxAngle1"), s.control<QSpinBox>("MaxAngle2")},
         {s.control<QLabel>("txtMaxAngle1"), s.control<QLabel>("txtMaxAngle2")},
         unit("°")},
        {s.page->offsetGroup(), s.page->txtOffsetGroup(),
         [](int v) { return QString::number(v * 0.2, 'f', 1) + QString::fromUtf8("°"); }},
    };
    for (const Group& g : groups) {
        ASSERT_EQ(g.steppers.size(), g.texts.size());
        for (int i = 0; i < g.steppers.size(); ++i) {
            EXPECT_EQ(g.steppers[i]->property("tag").toInt(), i);
            const int value = g.steppers[i]->minimum() < 0 ? -11 - i : 11 + i;
            g.steppers[i]->setValue(value);
            EXPECT_EQ(g.texts[i]->text(), g.format(value))
                << g.steppers[i]->objectName().toStdString();
        }
    }
}

TEST(OvxdBlock, SubTypeListsByReceiverTypeAndFirmware) {
    struct Case {
        int type;
        quint8 firmware;
        int items;
    };
    const Case cases[] = {{0, 0x11, 6}, {0, 0x16, 6}, {1, 0x11, 8}, {1, 17, 8},
                          {1, 18, 9},   {1, 21, 9},   {1, 22, 10},  {1, 0xFF, 10}};
    for (const Case& c : cases) {
        OvxdPage s([&](testsupport::SimulatedUnit& unit) { unit.setFirmwareVersion(c.firmware); });
        QComboBox* type = s.control<QComboBox>("ReceiverType");
        QComboBox* subType = s.control<QComboBox>("ReceiverSubType");
        type->setCurrentIndex(c.type);
        emit type->activated(c.type); // as a choice of the user
        EXPECT_EQ(subType->count(), c.items) << c.type << " " << int(c.firmware);
        EXPECT_EQ(subType->currentIndex(), 0);
    }
    const QStringList serial = OVXD_ViewController::receiverSubTypeItems(1, 22);
    EXPECT_EQ(serial.mid(7), (QStringList{"FlySky iBUS", "JETI EXBus", "TBS/ELRS CRSF"}));
    EXPECT_EQ(OVXD_ViewController::receiverSubTypeItems(0, 22).last(),
              localized("RECEIVER_BRAND_OTHERS"));
}

TEST(OvxdBlock, TheSubTypeIsSelectedInTheListOfTheDecodedType) {
    OvxdPage s([](testsupport::SimulatedUnit& unit) { unit.setFirmwareVersion(22); });
    QByteArray block = s.main->data;
    block[24] = 1;
    block[25] = 9; // "TBS/ELRS CRSF": only in the serial list
    s.load(block);
    EXPECT_EQ(s.control<QComboBox>("ReceiverSubType")->currentText(), "TBS/ELRS CRSF");
    // Back to the brand list: a stored sub-type beyond it selects nothing.
    block[24] = 0;
    s.load(block);
    EXPECT_EQ(s.control<QComboBox>("ReceiverSubType")->count(), 6);
    EXPECT_EQ(s.control<QComboBox>("ReceiverSubType")->currentIndex(), -1);
}

TEST(OvxdBlock, ResetChannelMappingFollowsTheReceiverOnThePage) {
    struct Case {
        int type, subType;
        QList<int> mapping;
    };
    const QList<int> jr{2, 3, 4, 6, 5, 0, 1}, jeti{2, 4, 5, 3, 6, 0, 1}, other{1, 2, 4, 6, 5, 0, 3};
    const Case cases[] = {
        {0, 0, other}, {0, 1, jr},    {0, 2, other}, {0, 5, other}, {1, 0, other},
        {1, 1, other}, {1, 2, jr},    {1, 3, jr},    {1, 4, jr},    {1, 5, jr},
        {1, 6, jr},    {1, 7, other}, {1, 8, jeti},  {1, 9, other},
    };
    OvxdPage s([](testsupport::SimulatedUnit& unit) { unit.setFirmwareVersion(22); });
    const QByteArray stored = s.main->data;
    for (const Case& c : cases) {
        QComboBox* type = s.control<QComboBox>("ReceiverType");
        type->setCurrentIndex(c.type);
        s.page->updateReceiverSubTypeList(c.type);
        s.control<QComboBox>("ReceiverSubType")->setCurrentIndex(c.subType);
        s.page->resetChannelMapping();
        QList<int> items;
        for (QComboBox* popUp : s.page->rcMappingGroup())
            items << popUp->currentIndex();
        EXPECT_EQ(items, c.mapping) << c.type << "/" << c.subType;
    }
    EXPECT_EQ(s.main->data, stored); // only the controls change
}

TEST(OvxdBlock, WingTypeAndMountingChooseTheirButtonAndPicture) {
    struct Case {
        int offset;
        quint8 byte;
        int button; // counted from 0; also the byte encoding stores
        const char* group;
        const char* picture;
        const char* view;
    };
    const Case cases[] = {
        {22, 0, 0, "WingType", "ovxd_wingtype_1", "imgWingType"},
        {22, 2, 2, "WingType", "ovxd_wingtype_3", "imgWingType"},
        {22, 7, 2, "WingType", "ovxd_wingtype_3", "imgWingType"},
        {22, 255, 2, "WingType", "ovxd_wingtype_3", "imgWingType"},
        {23, 1, 1, "Mounting", "ovxd_mounting_2", "imgMounting"},
        {23, 3, 3, "Mounting", "ovxd_mounting_4", "imgMounting"},
        {23, 200, 3, "Mounting", "ovxd_mounting_4", "imgMounting"},
    };
    OvxdPage s;
    auto button = [&](const char* group, int number) {
        return s.control<QRadioButton>((group + std::to_string(number + 1)).c_str());
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset << ": " << int(c.byte));
        // Another button and picture first, so that the decode has to switch them over.
        button(c.group, c.button == 0 ? 1 : 0)->click();
        ASSERT_FALSE(testsupport::showsPicture(s.control<QLabel>(c.view), c.picture));
        QByteArray block = s.main->data;
        block[c.offset] = char(c.byte);
        s.load(block);
        EXPECT_TRUE(button(c.group, c.button)->isChecked());
        EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>(c.view), c.picture));
        s.page->uiToData(); // a byte beyond the buttons is stored as the button it shows
        EXPECT_EQ(quint8(s.main->data[c.offset]), c.button);
    }
    // A choice on the page shows its picture at once; the byte holds the button's number.
    s.control<QRadioButton>("WingType2")->click();
    EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgWingType"), "ovxd_wingtype_2"));
    s.control<QRadioButton>("Mounting1")->click();
    EXPECT_TRUE(testsupport::showsPicture(s.control<QLabel>("imgMounting"), "ovxd_mounting_1"));
    s.page->uiToData();
    EXPECT_EQ(s.main->data.mid(22, 2), QByteArray::fromHex("0100"));
}

TEST(OvxdBlock, EveryPictureOfThePageIsThere) {
    QStringList names;
    for (const auto& row : OVXD_ViewController::fnameWingType)
        names += QStringList(row.begin(), row.end());
    for (const auto& row : OVXD_ViewController::fnameMounting)
        names += QStringList(row.begin(), row.end());
    names += QStringList(OVXD_ViewController::fnameAccelCalibration.begin(),
                         OVXD_ViewController::fnameAccelCalibration.end());
    for (const QString& name : names)
        EXPECT_FALSE(imageNamed(name, QSize(240, 160)).isNull()) << name.toStdString();
}

TEST(OvxdBlock, GyroEnable4MirrorsTheFirstAndIsNeverStored) {
    OvxdPage s;
    QByteArray block = s.main->data;
    block[33] = 1;
    s.load(block);
    EXPECT_TRUE(s.control<QCheckBox>("GyroEnable4")->isChecked());
    for (const char* sender : {"GyroEnable2", "GyroEnable3", "GyroEnable1", "GyroEnable4"}) {
        s.control<QCheckBox>(sender)->click();
        EXPECT_EQ(s.control<QCheckBox>("GyroEnable4")->isChecked(),
                  s.control<QCheckBox>("GyroEnable1")->isChecked())
            << sender;
    }
    // Bytes 33-35 are GyroEnable1-3, 36-39 the reversals: the mirror is not read.
    s.control<QCheckBox>("GyroEnable4")->setChecked(true);
    s.page->uiToData();
    EXPECT_EQ(s.main->data.mid(33, 3), QByteArray::fromHex("000101"));
    EXPECT_EQ(s.main->data.mid(36, 4), block.mid(36, 4));
}

TEST(OvxdBlock, AFileKeepsItsUnusedBytesThroughThePage) {
    OvxdPage s;
    QByteArray file = randomBlock(s, 11);
    s.load(file);
    s.control<QSpinBox>("LockGain3")->setValue(77);
    s.page->uiToData();
    QByteArray expected = file;
    expected[45] = 77;
    EXPECT_EQ(s.main->data, expected); // bytes 0-14 as the file had them
}

TEST(OvxdBlock, AShortBlockIsNotDecoded) {
    OvxdPage s;
    s.control<QSpinBox>("BasicGain1")->setValue(42);
    s.load(QByteArray(70, char(0x21)));
    EXPECT_EQ(s.control<QSpinBox>("BasicGain1")->value(), 42);
    s.page->uiToData();
    EXPECT_EQ(s.main->data, QByteArray(70, char(0x21)));
}

} // namespace
