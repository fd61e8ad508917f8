// What the live indicators look like on screen: the status bar's channel fields after a status
// reply.

#include "OvxbPage.h"
#include "OvxcPage.h"
#include "OvxdPage.h"

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// The page's window shown at the size the program uses, without live polls of its own.
template <class Fixture> QWidget* showWindow(Fixture& s) {
    s.stopLivePolls();
    QWidget* window = s.page->view()->window();
    window->resize(1024, 720);
    window->show();
    settle();
    return window;
}

// The largest difference of one colour channel.
int colourDistance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

// ---- Status bar channel fields ----

using Flags = std::array<int, 7>;

// After a status reply with `flags`, each of the seven fields in a grab of the status bar: an
// active one on green (0, 160, 0) with white letters, an inactive one on the status bar's own
// colour with letters in the label colour.
template <class Fixture> void expectChannelFieldsFollowTheFlags() {
    Fixture s;
    QWidget* window = showWindow(s);
    auto* statusBar = s.main->view()->template findChild<QWidget*>("StatusBarView");
    ASSERT_NE(statusBar, nullptr);
    const QColor barColour = statusBar->palette().color(QPalette::Button);
    const QColor labelColour = QApplication::palette().color(QPalette::WindowText);
    const QList<QLabel*> fields = s.main->channelLabels();
    const Flags cases[] = {{1, 0, 5, 0, 0, 0, 1},
                           {0, 1, 0, 1, 1, 1, 0},
                           {255, 255, 255, 255, 255, 255, 255},
                           {0, 0, 0, 0, 0, 0, 0}};
    for (const Flags& flags : cases) {
        QByteArray info(11, '\0');
        for (int k = 0; k < 7; ++k)
            info[4 + k] = char(flags[std::size_t(k)]);
        s.page->decodeInfoReply(info);
        settle();
        const QImage bar = statusBar->grab().toImage();
        for (int k = 0; k < 7; ++k) {
            SCOPED_TRACE(testing::Message() << "field " << k + 1 << " flag " << flags[std::size_t(k)]);
            QLabel* field = fields[k];
            ASSERT_TRUE(field->isVisible());
            ASSERT_FALSE(field->text().isEmpty());
            const QRect area(field->mapTo(statusBar, QPoint(0, 0)), field->size());
            const QColor background = bar.pixelColor(area.topLeft() + QPoint(1, 1));
            // The ink of the letters: the colour farthest from the background.
            QColor ink = background;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (colourDistance(bar.pixelColor(x, y), background) >
                        colourDistance(ink, background))
                        ink = bar.pixelColor(x, y);
            if (flags[std::size_t(k)] != 0) {
                EXPECT_EQ(background, QColor(0, 160, 0));
                EXPECT_LE(colourDistance(ink, Qt::white), 24) << ink.name().toStdString();
            } else {
                EXPECT_EQ(background, barColour);
                EXPECT_LE(colourDistance(ink, labelColour), 24) << ink.name().toStdString();
            }
        }
    }
    window->hide();
}

TEST(LiveIndicators, OvxbChannelFieldsFollowTheFlags) {
    expectChannelFieldsFollowTheFlags<testsupport::OvxbPage>();
}

TEST(LiveIndicators, OvxcChannelFieldsFollowTheFlags) {
    expectChannelFieldsFollowTheFlags<testsupport::OvxcPage>();
}

TEST(LiveIndicators, OvxdChannelFieldsFollowTheFlags) {
    expectChannelFieldsFollowTheFlags<testsupport::OvxdPage>();
}

} // namespace
