#include "OVX_Configurator/Alert.h"

#include "OVX_Configurator/Localization.h"
#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/MainWindowController.h"
#include "OVX_Configurator/ModalViewController.h"
#include "OVX_Configurator/WelcomeViewController.h"
#include "support/ShellEnvironment.h"

#include <gtest/gtest.h>

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

} // namespace
