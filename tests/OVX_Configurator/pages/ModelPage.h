#pragma once

#include "OVX_Configurator/LanguageType.h"
#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/pages/ModelPageViewController.h"
#include "OVX_Configurator/utils/VersionText.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"

#include <QAbstractButton>
#include <QByteArray>
#include <QComboBox>
#include <QJsonObject>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace testsupport {

// A unit of `model` on a pseudo-terminal, connected and identified, its block read into the
// page that the main view's `getter` returns.
template <class Page> struct ModelPage : ConnectedShell {
    ModelPage(int model, Page* (MainViewController::*getter)(),
              const std::function<void(SimulatedUnit&)>& setUp)
        : ConnectedShell(model, setUp) {
        main->detectDevice();
        identified = waitLong([&] {
            return (main->dataLength > 0 && main->data.size() == main->dataLength) ||
                   !shell.ui.alerts.empty();
        });
        EXPECT_TRUE(identified && shell.ui.alerts.empty());
        page = (main->*getter)();
        advance(3.0); // the message bar of the read is gone
        unit.clearRecord();
    }

    // A control of the page by its object name (the test fails when there is none).
    template <class Control> Control* control(const char* name) const {
        auto* found = page->view()->template findChild<Control*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Brings the item `name` of the page's tab view forward (the tab the polls look at).
    void selectTab(const char* name) {
        QTabWidget* tabs = page->tabMain;
        ASSERT_NE(tabs, nullptr);
        tabs->setCurrentWidget(tabs->findChild<QWidget*>(QLatin1String(name)));
        ASSERT_EQ(tabs->currentWidget()->objectName(), QLatin1String(name));
    }

    // Waits for real I/O with a generous limit (the machine may be loaded).
    static bool waitLong(const std::function<bool()>& done) { return waitUntil(done, 10000); }

    // The commands the unit received, without live polls.
    QList<QByteArray> commands() const {
        QList<QByteArray> out;
        for (const QByteArray& frame : unit.frames())
            if (!QList<QByteArray>{"INFO", "STCK", "SERV", "SNSR", "d"}.contains(frame))
                out << frame;
        return out;
    }

    // The main view's block replaced and shown by the page, as after a read.
    void load(const QByteArray& block) {
        main->data = block;
        page->dataToUI();
    }

    // Headline of the most recent alert.
    QString lastHeadline() const {
        return shell.ui.alerts.empty() ? QString() : shell.ui.alerts.back().request.messageText;
    }

    // Answers the oldest open alert with button `index` and lets its action run.
    void answer(int index) { shell.ui.answer(index); }

    bool identified = false;
    Page* page = nullptr;
};

// On the shown tab, whose live poll is `poll`: while a read waits for its reply no poll goes
// out, however many ticks pass; once the read is answered the polls resume.
void expectNoPollWhileAReadWaits(ConnectedShell& s, ModelPageViewController* page,
                                 const QByteArray& poll);
template <class Page> void expectNoPollWhileAReadWaits(ModelPage<Page>& s, const QByteArray& poll) {
    expectNoPollWhileAReadWaits(s, s.page, poll);
}

// The item counts of the page's flight mode pop-ups.
template <class Page> QList<int> flightModeItemCounts(const Page* page) {
    QList<int> counts;
    for (const QComboBox* popUp : page->flightModeGroup())
        counts << popUp->count();
    return counts;
}

// Whether `view` shows the picture `name` of the application resources at the view's size.
bool showsPicture(const QLabel* view, const char* name);

// Loads a block with firmware 0x16 and data version 0x2F and six calibration words in bytes 3-14:
// the status bar still shows the connected unit's own versions, and the page the six calibration
// values. Returns the block.
template <class Fixture> QByteArray expectVersionsAndCalibrationValues(Fixture& s) {
    QByteArray block = s.main->data;
    block[1] = char(0x16);
    block[2] = char(0x2F);
    block.replace(3, 12, QByteArray::fromHex("FFFF341200800020FF7F0000"));
    s.load(block);
    EXPECT_EQ(s.main->statusFirmwareVersion->text(), versionText(s.unit.firmwareVersion()));
    EXPECT_EQ(s.main->statusDataVersion->text(), versionText(s.unit.dataVersion()));
    QStringList texts;
    for (QLabel* text : s.page->accCalibrationValueGroup())
        texts << text->text();
    EXPECT_EQ(texts, (QStringList{"-1", "4660", "-32768", "8192", "32767", "0"}));
    return block;
}

// Signed 16-bit words, high byte first, as the live replies carry them.
QByteArray words(std::initializer_list<int> values);

// The headline of the refusal of a write for the setting the page shows as `name`.
QString refusalHeadline(const QString& name);

// The link's pause between the two parts of a split write.
double splitPauseSeconds();

// Loads `block` into the page and writes it with the page's Write button: nothing is refused, and
// the unit receives the first `written` bytes of the block, each as it was loaded.
template <class Page>
void expectWrittenAsLoaded(ModelPage<Page>& s, const QByteArray& block, qsizetype written) {
    s.load(block);
    const qsizetype before = qsizetype(s.shell.ui.alerts.size());
    s.template control<QAbstractButton>("btnWrite")->click();
    ASSERT_EQ(s.alertHeadlines().mid(before), headlines({"WRITE_CONFIRM"}));
    s.answer(0);
    // The unit is asked who it is and what it holds ("r", "R"), then written.
    ASSERT_TRUE(s.waitLong([&] { return s.unit.received().startsWith("rRW"); }));
    s.shell.clock.advance(splitPauseSeconds()); // the rest of a block written in two parts
    const QList<QByteArray> expected{"r", "R", writeFrame(block.left(written))};
    s.waitLong([&] { return s.commands() == expected; });
    EXPECT_EQ(s.commands(), expected);
}
// The text table of an area ("ovxb", ...) in `language`.
QJsonObject textTable(const char* area, const QString& language);

// Every text a user reads in `view` that still stands as a localisation key.
QStringList keysShown(QWidget* view);

// The area's text tables have the same keys in English, Simplified and Traditional Chinese, none
// empty, all loaded; a new `Page` shows no key as it stands in any of the three languages.
template <class Page> void expectTextsInThreeLanguages(const char* area) {
    const QJsonObject english = textTable(area, QStringLiteral("en"));
    EXPECT_FALSE(english.isEmpty());
    for (const char* language : {"zh-Hans", "zh-Hant"}) {
        const QJsonObject chinese = textTable(area, QLatin1String(language));
        EXPECT_EQ(chinese.keys(), english.keys()) << language;
        for (auto it = chinese.begin(); it != chinese.end(); ++it)
            EXPECT_FALSE(it.value().toString().isEmpty()) << it.key().toStdString();
    }
    for (LanguageType language : {LanguageType::English, LanguageType::SimplifiedChinese,
                                  LanguageType::TraditionalChinese}) {
        Localization::shared().setLanguage(language);
        Page page; // its layout in that language
        EXPECT_EQ(keysShown(page.view()), QStringList()) << rawValue(language).toStdString();
        for (const QString& key : english.keys())
            EXPECT_TRUE(Localization::shared().table(language).contains(key));
    }
    Localization::shared().setLanguage(LanguageType::English);
}

} // namespace testsupport
