// The message bar at the foot of the main window never moves the page above it: a click aimed
// at Read, Write or Close lands there whether or not a message shows.

#include "OvxbPage.h"

#include "OVX_Configurator/Localization.h"
#include "support/Outlets.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>
#include <QRect>

#include <gtest/gtest.h>

namespace {

using testsupport::OvxbPage;

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Where the page's Read, Write and Close buttons stand in the window.
QList<QRect> buttonPlaces(OvxbPage& s, const QWidget* window) {
    QList<QRect> places;
    for (const char* name : {"btnRead", "btnWrite", "btnClose"}) {
        const auto* button = s.control<QAbstractButton>(name);
        places << QRect(button->mapTo(window, QPoint(0, 0)), button->size());
    }
    return places;
}

// Messages of `language` joined until the bar's text, at its width, needs two lines for them.
QString twoLineMessage(LanguageType language, const QLabel* text) {
    const auto& table = Localization::shared().table(language);
    QLabel probe(table.value("READ_SUCCESS"));
    probe.setFont(text->font());
    probe.setWordWrap(true);
    const int oneLine = probe.heightForWidth(text->width());
    QString message;
    for (int i = 0; probe.heightForWidth(text->width()) < 2 * oneLine && i < 20; ++i) {
        message += table.value(i % 2 ? "ACCEL_CALIBRATION_ABANDONED" : "OPEN_FILE_SUCCESS") +
                   QLatin1Char(' ');
        probe.setText(message);
    }
    return message.trimmed();
}

TEST(MessageBar, ThePageButtonsKeepTheirPlaceWhileMessagesShowAndAfter) {
    OvxbPage s;
    s.stopLivePolls();
    s.shell.clock.advance(3.0); // no message of the read left
    QWidget* window = s.page->view()->window();
    window->resize(1024, 720);
    window->show();
    settle();
    auto* bar = testsupport::outlet<QWidget>(s.main, "BottomMessageView");
    auto* text = testsupport::outlet<QLabel>(s.main, "txtBottomMessage");
    ASSERT_FALSE(bar->isVisible());
    const QList<QRect> places = buttonPlaces(s, window);

    for (LanguageType language : {LanguageType::English, LanguageType::SimplifiedChinese}) {
        const QString shortMessage = Localization::shared().table(language).value("READ_SUCCESS");
        const QString longMessage = twoLineMessage(language, text);
        for (const QString& message : {shortMessage, longMessage}) {
            SCOPED_TRACE(message.toStdString());
            s.main->showInfoMessage(message);
            settle();
            ASSERT_TRUE(bar->isVisible());
            EXPECT_EQ(buttonPlaces(s, window), places);
            // The whole message shows: two lines fit the bar.
            EXPECT_LE(text->heightForWidth(text->width()), text->height());
            s.main->showCautionMessage(message);
            settle();
            EXPECT_EQ(buttonPlaces(s, window), places);
            s.shell.clock.advance(3.0);
            settle();
            EXPECT_FALSE(bar->isVisible());
            EXPECT_EQ(buttonPlaces(s, window), places);
        }
    }
    window->hide();
}

} // namespace
