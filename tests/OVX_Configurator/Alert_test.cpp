#include "OVX_Configurator/Alert.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "support/ShellEnvironment.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

using testsupport::ShellEnvironment;

TEST(AlertText, SplitsIntoHeadlineAndExplanation) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Headline|Explanation|dropped", "Headline", "Explanation"},
        {"Headline only", "Headline only", ""},
        {"|Explanation", "", "Explanation"},
        {"Headline|", "Headline", ""},
        {"", "", ""},
    };
    for (const auto& [text, message, informative] : cases) {
        AlertText split = splitAlertText(QString::fromUtf8(text));
        EXPECT_EQ(split.message, message) << text;
        EXPECT_EQ(split.informative, informative) << text;
    }
}

// The alerts of a page shown in the main window.
class PageAlerts : public ::testing::Test {
protected:
    ShellEnvironment shell;
    AppDelegate& app = shell.launch();
    ViewController* page = app.mainViewController()->welcomeViewController();
    std::string ran;
    std::function<void()> note(const char* what) {
        return [this, what] { ran += what; };
    }
};

TEST_F(PageAlerts, ConfirmRunsTheFirstActionOnlyForTheFirstButton) {
    const std::pair<int, const char*> cases[] = {
        {0, "first"}, {1, "second"}, {kAlertClosed, "second"}};
    for (const auto& [response, expected] : cases) {
        ran.clear();
        page->showConfirmAlert("Write?|It replaces the unit's settings.", "YES!", "NO!",
                               note("first"), note("second"));
        const AlertRequest& alert = shell.ui.lastAlert();
        EXPECT_EQ(alert.window, app.mainWindowController()->window());
        EXPECT_EQ(alert.style, AlertStyle::Informational);
        EXPECT_EQ(alert.messageText, "Write?");
        EXPECT_EQ(alert.informativeText, "It replaces the unit's settings.");
        EXPECT_EQ(alert.buttons, (QStringList{"YES!", "NO!"}));
        EXPECT_TRUE(ran.empty()); // the sheet does not wait
        shell.ui.answer(response);
        EXPECT_EQ(ran, expected) << response;
    }
}

TEST_F(PageAlerts, ChoiceRunsTheThirdActionForAnyOtherResponse) {
    const std::pair<int, const char*> cases[] = {
        {0, "first"}, {1, "second"}, {2, "third"}, {kAlertClosed, "third"}};
    for (const auto& [response, expected] : cases) {
        ran.clear();
        page->showChoiceAlert("Reset the mapping?", "Y", "N", "C", note("first"), note("second"),
                              note("third"));
        EXPECT_EQ(shell.ui.lastAlert().buttons, (QStringList{"Y", "N", "C"}));
        shell.ui.answer(response);
        EXPECT_EQ(ran, expected) << response;
    }
}

TEST_F(PageAlerts, MessageAlertsHaveOneOkButtonAndTheirStyle) {
    page->showCriticalAlert("Failed|Try again.", note("critical"));
    EXPECT_EQ(shell.ui.lastAlert().style, AlertStyle::Critical);
    EXPECT_EQ(shell.ui.lastAlert().buttons, QStringList{localized("OK")});
    shell.ui.answer(0);
    EXPECT_EQ(ran, "critical");

    page->showInfoAlert("Done", note("info"));
    EXPECT_EQ(shell.ui.lastAlert().style, AlertStyle::Informational);
    EXPECT_EQ(shell.ui.lastAlert().informativeText, "");
    shell.ui.answer(kAlertClosed); // closed otherwise: nothing runs
    EXPECT_EQ(ran, "critical");
}

TEST_F(PageAlerts, AControllerWhoseViewIsInNoWindowShowsNothing) {
    ModalViewController detached; // its view was never put in a window
    detached.view();
    bool ran = false;
    detached.showInfoAlert("Hello", [&] { ran = true; });
    detached.showConfirmAlert("Hello", "A", "B", {}, [&] { ran = true; });
    EXPECT_TRUE(shell.ui.alerts.empty());
    EXPECT_FALSE(ran);

    // A page removed from the content area is in no window either.
    app.mainViewController()->showPage(-1);
    page->showInfoAlert("Hello", {});
    EXPECT_TRUE(shell.ui.alerts.empty());
}

// The lines in which `label` shows its text at `width`, laid out as the label lays it out.
QStringList shownLines(const QLabel* label, int width, QTextOption::WrapMode mode) {
    QTextDocument document;
    document.setDefaultFont(label->font());
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(mode);
    document.setDefaultTextOption(option);
    if (Qt::mightBeRichText(label->text()))
        document.setHtml(label->text());
    else
        document.setPlainText(label->text());
    document.setTextWidth(width);
    document.size(); // lays it out
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            lines << block.text().mid(line.textStart(), line.textLength());
        }
    return lines;
}

// What must stay on one line of `text`: its paths, its commands in quotes and every word of its
// indented lines (a command or a line of a file).
QStringList wholeUnits(const QString& text) {
    static const QRegularExpression path(QStringLiteral(R"((?:^|(?<=[\s"]))/[^\s"，。：]+)"));
    static const QRegularExpression quoted(QStringLiteral(R"("[^"]+")"));
    static const QRegularExpression word(QStringLiteral(R"(\S+)"));
    QStringList units;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const bool indented = line.startsWith(QLatin1String("    "));
        for (const auto& m : (indented ? word : path).globalMatch(line))
            units << m.captured();
        if (!indented)
            for (const auto& m : quoted.globalMatch(line))
                units << m.captured();
    }
    return units;
}

QString withoutSpaces(QString text) {
    text.remove(QRegularExpression(QStringLiteral(R"(\s)")));
    return text;
}

// The alert's explanation breaks its lines between words, never inside a path or a command, in
// every language, at the width it is shown and at any narrower one; it loses nothing.
TEST(AlertLayout, TheExplanationNeverBreaksInsideAPathOrACommand) {
    QWidget window;
    window.resize(1024, 720);
    window.show();
    DesktopUIServices desktop;
    const QString byId =
        "/dev/serial/by-id/usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_0001-if00-port0";
    for (LanguageType language : {LanguageType::English, LanguageType::SimplifiedChinese,
                                  LanguageType::TraditionalChinese}) {
        const auto& table = Localization::shared().table(language);
        for (const char* key :
             {"SERIAL_PORT_ACCESS_HELP", "OPEN_PORT_FAILED", "PORT_PATH_MISSING"}) {
            SCOPED_TRACE(rawValue(language).toStdString() + " " + key);
            QString text = table.value(QString::fromUtf8(key));
            if (text.contains(QLatin1String("%1")))
                text = text.arg(byId);
            const AlertText split = splitAlertText(text);
            const QStringList units = wholeUnits(split.informative);
            ASSERT_FALSE(units.isEmpty());
            AlertRequest request;
            request.window = &window;
            request.messageText = split.message;
            request.informativeText = split.informative;
            request.buttons = QStringList{"OK"};
            desktop.beginAlertSheet(request, {});
            auto* box = window.findChild<QMessageBox*>();
            ASSERT_NE(box, nullptr);
            QCoreApplication::processEvents();
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
            ASSERT_NE(label, nullptr);
            for (const auto& [width, mode] : {std::pair{label->width(), QTextOption::WordWrap},
                                              std::pair{120, QTextOption::WrapAnywhere}}) {
                const QStringList lines = shownLines(label, width, mode);
                EXPECT_EQ(withoutSpaces(lines.join(QString())), withoutSpaces(split.informative));
                // An indented line that fits the alert stays whole.
                for (const QString& line : split.informative.split(QLatin1Char('\n'))) {
                    if (line.startsWith(QLatin1String("    ")) &&
                        label->fontMetrics().horizontalAdvance(line) <= label->width()) {
                        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
                    }
                }
                for (const QString& unit : units) {
                    EXPECT_TRUE(
                        std::any_of(lines.begin(), lines.end(),
                                    [&](const QString& line) { return line.contains(unit); }))
                        << unit.toStdString() << " is broken at width " << width << ":\n"
                        << lines.join(QLatin1Char('\n')).toStdString();
                }
            }
            delete box;
        }
    }
}

} // namespace
