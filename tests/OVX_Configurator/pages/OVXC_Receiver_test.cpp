// The OVXC page's receiver section: sub-type lists by receiver type and firmware, the default
// channel sets, the output functions that show or hide an output's servo controls, and the
// warning about auxiliary outputs without a serial receiver.

#include "OvxcPage.h"

#include "OVX_Configurator/Localization.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using testsupport::headline;
using testsupport::OvxcPage;
using testsupport::versions;

QStringList items(const QComboBox* popUp) {
    QStringList out;
    for (int i = 0; i < popUp->count(); ++i)
        out << popUp->itemText(i);
    return out;
}

QList<int> selected(const QList<QComboBox*>& popUps) {
    QList<int> out;
    for (const QComboBox* popUp : popUps)
        out << popUp->currentIndex();
    return out;
}

// Chooses item `index` of `popUp` as the user does.
void choose(QComboBox* popUp, int index) {
    popUp->setCurrentIndex(index);
    emit popUp->activated(index);
}

TEST(OvxcReceiver, TheProtocolListGrowsWithTheFirmware) {
    struct Case {
        quint8 firmware;
        int count;
        const char* last;
    };
    const Case cases[] = {{16, 8, "FlySky iBUS"},  {17, 9, "JETI EXBus"}, {21, 9, "JETI EXBus"},
                          {22, 10, "TBS/ELRS CRSF"}, {0x30, 10, "TBS/ELRS CRSF"}};
    for (const Case& c : cases) {
        OvxcPage s(versions(c.firmware, 16));
        QComboBox* subTypes = s.control<QComboBox>("ReceiverSubType");
        choose(s.control<QComboBox>("ReceiverType"), 2);
        EXPECT_EQ(subTypes->count(), c.count) << int(c.firmware);
        EXPECT_EQ(subTypes->itemText(subTypes->count() - 1), c.last);
        EXPECT_EQ(subTypes->itemText(0), "SBus - Futaba/WFLY WBus");
        EXPECT_EQ(subTypes->currentIndex(), 0);

        // A stored CRSF receiver is shown only where the firmware lists it.
        QByteArray block = s.main->data;
        block[30] = 2;
        block[31] = 9;
        s.load(block);
        EXPECT_EQ(subTypes->currentText(), c.count == 10 ? "TBS/ELRS CRSF" : "") << int(c.firmware);
    }
}

TEST(OvxcReceiver, PwmAndPpmReceiversListTheBrandsAndOnlyPpmMapsChannels) {
    OvxcPage s;
    QComboBox* type = s.control<QComboBox>("ReceiverType");
    QComboBox* subTypes = s.control<QComboBox>("ReceiverSubType");
    const QStringList brands{"Futaba/Hitec/WFLY",  "JR/Spektrum/Graupner/Walkera",
                             "FrSky/OpenTX/EdgeTX/TBS", "JETI Duplex/FlySky", "RadioLink",
                             "Others"};
    for (int t : {2, 0, 1, 0}) {
        choose(type, t);
        if (t < 2) {
            EXPECT_EQ(items(subTypes), brands);
            EXPECT_EQ(subTypes->currentText(), "Futaba/Hitec/WFLY");
        }
        for (QComboBox* popUp : s.page->rcMappingGroup())
            EXPECT_EQ(popUp->isEnabled(), t > 0) << t;
    }
    // Changing the type changes no mapping.
    const QList<int> mapping = selected(s.page->rcMappingGroup());
    choose(type, 2);
    EXPECT_EQ(selected(s.page->rcMappingGroup()), mapping);
    // Decoding a block does the same.
    QByteArray block = s.main->data;
    block[30] = 0;
    s.load(block);
    for (QComboBox* popUp : s.page->rcMappingGroup())
        EXPECT_FALSE(popUp->isEnabled());
}

TEST(OvxcReceiver, DefaultChannelSetsByReceiver) {
    struct Case {
        int type, subType;
        QList<int> channels;
        int output5;
    };
    const QList<int> a{2, 3, 4, 6, 0, 5, 0, 1, 0}, b{2, 4, 5, 3, 0, 6, 0, 1, 0},
        c{1, 2, 4, 6, 0, 5, 0, 3, 0};
    const Case cases[] = {
        {0, 1, a, 5}, {1, 1, a, 6}, {0, 0, c, 5}, {1, 5, c, 6}, {2, 2, a, 6}, {2, 6, a, 6},
        {2, 1, c, 6}, {2, 7, c, 6}, {2, 8, b, 6}, {2, 9, c, 6},
    };
    OvxcPage s(versions(22, 16));
    for (const Case& k : cases) {
        choose(s.control<QComboBox>("ReceiverType"), k.type);
        s.control<QComboBox>("ReceiverSubType")->setCurrentIndex(k.subType);
        const QByteArray before = s.main->data;
        s.page->resetChannelMapping();
        EXPECT_EQ(selected(s.page->rcMappingGroup()), k.channels) << k.type << "/" << k.subType;
        EXPECT_EQ(selected(s.page->outputMappingGroup()), (QList<int>{1, 2, 3, 4, k.output5}));
        EXPECT_EQ(s.main->data, before); // only the controls
    }
}

// The servo controls of output n: reversal, sub-trim and travel limits 2n-1 and 2n, with texts.
QList<QWidget*> servoControls(OvxcPage& s, int output) {
    auto w = [&](const QByteArray& name) { return s.control<QWidget>(name.constData()); };
    const QByteArray n = QByteArray::number(output);
    const QByteArray low = QByteArray::number(2 * output - 1), high = QByteArray::number(2 * output);
    return {w("ServoReverse" + n),        w("SubTrim" + n),          w("TravelLimit" + low),
            w("TravelLimit" + high),      w("txtSubTrim" + n),       w("txtTravelLimit" + low),
            w("txtTravelLimit" + high)};
}

bool allHidden(const QList<QWidget*>& controls) {
    return std::all_of(controls.begin(), controls.end(), [](QWidget* c) { return c->isHidden(); });
}

TEST(OvxcReceiver, OutputFunctionsShowOrHideTheServoControlsAndWarnAboutAuxWithPwm) {
    OvxcPage s;
    QComboBox* type = s.control<QComboBox>("ReceiverType");
    QComboBox* output2 = s.control<QComboBox>("OutputMapping2");
    choose(type, 0);
    choose(s.control<QComboBox>("OutputMapping1"), 1);
    choose(output2, 3);
    EXPECT_FALSE(s.control<QWidget>("SubTrim2")->isHidden());
    EXPECT_FALSE(s.control<QWidget>("ServoReverse2")->isHidden());
    EXPECT_FALSE(s.control<QWidget>("TravelLimit4")->isHidden());

    choose(output2, 7);
    EXPECT_EQ(s.alertHeadlines(), QStringList{headline("AUX_INVALID_WARNING")});
    EXPECT_EQ(s.shell.ui.lastAlert().style, AlertStyle::Critical);
    s.answer(0);
    EXPECT_EQ(output2->currentIndex(), 7); // the choice stays
    EXPECT_TRUE(allHidden(servoControls(s, 2)));
    EXPECT_FALSE(s.control<QWidget>("SubTrim1")->isHidden()); // the other outputs stay

    choose(output2, 0); // off: hidden without a warning
    EXPECT_TRUE(allHidden(servoControls(s, 2)));
    choose(output2, 3);
    for (const char* name : {"ServoReverse2", "SubTrim2", "TravelLimit3", "TravelLimit4"})
        EXPECT_FALSE(s.control<QWidget>(name)->isHidden()) << name;

    choose(type, 1); // a PPM receiver: auxiliary outputs without a warning
    choose(s.control<QComboBox>("OutputMapping5"), 6);
    EXPECT_TRUE(allHidden(servoControls(s, 5)));
    EXPECT_EQ(s.alertHeadlines().size(), 1);
}

TEST(OvxcReceiver, ADecodedBlockShowsTheOutputsWithoutWarning) {
    OvxcPage s(versions(0x11, 17));
    QByteArray block = s.main->data;
    block[33] = 0; // PWM receiver
    const QByteArray outputs = QByteArray::fromHex("0107000502"); // long layout: 44-48
    block.replace(44, 5, outputs);
    s.load(block);
    testsupport::pumpEvents(50);
    EXPECT_TRUE(s.shell.ui.alerts.empty());
    EXPECT_FALSE(s.control<QWidget>("SubTrim1")->isHidden());
    EXPECT_TRUE(allHidden(servoControls(s, 2)));
    EXPECT_TRUE(allHidden(servoControls(s, 3)));
    EXPECT_FALSE(s.control<QWidget>("TravelLimit8")->isHidden());
    EXPECT_FALSE(s.control<QWidget>("ServoReverse5")->isHidden());
}

} // namespace
