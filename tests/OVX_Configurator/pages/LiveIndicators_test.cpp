// What the live indicators look like on screen: the status bar's channel fields after a status
// reply, and the level bars of the receiver channels and servo outputs after each reply of a
// slowly moving sequence. The pixels are those the window shows, not a fresh rendering, so that
// a widget that left its old picture standing is seen as the user would see it.

#include "OvxaPage.h"
#include "OvxbPage.h"
#include "OvxcPage.h"
#include "OvxdPage.h"
#include "support/EventLoop.h"
#include "support/QtPrinting.h"

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QScreen>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using testsupport::words;

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

// What the screen holds of `window` now.
QImage shownPixels(QWidget* window) {
    return window->screen()->grabWindow(window->winId()).toImage();
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

// ---- Level bars ----

// The filled length of `bar` as the window shows it: along its middle row, the column after the
// rightmost pixel nearer the highlight colour than the groove's base colour and its frame colour.
int shownFill(const QImage& shown, QWidget* window, const QProgressBar* bar) {
    const QPoint origin = bar->mapTo(window, QPoint(0, 0));
    const int y = origin.y() + bar->height() / 2;
    const QPalette& colours = bar->palette();
    const QColor fill = colours.color(QPalette::Highlight);
    auto squared = [](const QColor& a, const QColor& b) {
        const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
        return r * r + g * g + bl * bl;
    };
    int length = 0;
    for (int x = 0; x < bar->width(); ++x) {
        const QColor pixel = shown.pixelColor(origin.x() + x, y);
        const int nearFill = squared(pixel, fill);
        if (nearFill < squared(pixel, colours.color(QPalette::Base)) &&
            nearFill < squared(pixel, colours.color(QPalette::Mid)))
            length = x + 1;
    }
    return length;
}

// A tab's sequence: its bars, the number of samples and the reply that carries sample `step`.
struct LevelSequence {
    const char* tab;
    QList<QProgressBar*> bars;
    int steps;
    std::function<void(int step)> feed;
};

// The shown bars of `bars` whose filled length on screen is more than one pixel from
// (value - minimum) × width / (maximum - minimum).
QStringList barsOffTheirValue(QWidget* window, const QList<QProgressBar*>& bars) {
    const QImage shown = shownPixels(window);
    QStringList off;
    for (qsizetype i = 0; i < bars.size(); ++i) {
        const QProgressBar* bar = bars[i];
        if (!bar->isVisible())
            continue;
        const double expected = double(bar->value() - bar->minimum()) * bar->width() /
                                (bar->maximum() - bar->minimum());
        const int filled = shownFill(shown, window, bar);
        if (std::abs(filled - expected) > 1.0)
            off << QStringLiteral("bar %1 at %2 fills %3 px, not %4")
                       .arg(i + 1)
                       .arg(bar->value())
                       .arg(filled)
                       .arg(expected, 0, 'f', 1);
    }
    return off;
}

// After every reply of each sequence, once the window has drawn it, every shown bar's filled
// length is within one pixel of its value. The sequences move every bar by about a pixel a reply,
// with one jump, as a slowly moved stick or servo does: a bar that skips the repaint of a small
// change keeps showing an older value.
template <class Fixture> void expectBarsFollowEveryValue(Fixture& s,
                                                         const std::vector<LevelSequence>& tabs) {
    QWidget* window = showWindow(s);
    for (const LevelSequence& sequence : tabs) {
        SCOPED_TRACE(sequence.tab);
        s.selectTab(sequence.tab);
        settle();
        QList<int> previous;
        for (const QProgressBar* bar : sequence.bars)
            previous << bar->value();
        for (int step = 0; step < sequence.steps; ++step) {
            sequence.feed(step);
            for (qsizetype i = 0; i < sequence.bars.size(); ++i) {
                EXPECT_NE(sequence.bars[i]->value(), previous[i])
                    << "step " << step << " bar " << i + 1;
                previous[i] = sequence.bars[i]->value();
            }
            // The window draws at its own pace: wait for the picture the reply asks for.
            testsupport::waitUntil(
                [&] { return barsOffTheirValue(window, sequence.bars).isEmpty(); }, 10000);
            ASSERT_EQ(barsOffTheirValue(window, sequence.bars), QStringList()) << "step " << step;
        }
    }
    window->hide();
}

// Channel and output samples: about one pixel apart, then a jump and small steps again.
constexpr int kSteps = 9;
int sample(int step, int start, int stride, int jump) {
    return start + step * stride + (step >= 5 ? jump : 0);
}

// `count` channel or output words from `value` on, each `spread` above the one before.
QList<int> channelWords(int value, int count, int spread) {
    QList<int> out;
    for (int k = 0; k < count; ++k)
        out << value + k * spread;
    return out;
}

QByteArray wordsOf(const QList<int>& values) {
    QByteArray out;
    for (int v : values)
        out += words({v});
    return out;
}

TEST(LiveIndicators, OvxaChannelBarsFollowEveryValue) {
    testsupport::OvxaPage s;
    expectBarsFollowEveryValue(
        s, {{"Receiver", s.page->rcGroup(), kSteps, [&](int step) {
                 // Sensor words, then the channels (bar = value + 1000 over 0..2000).
                 const int v = sample(step, -40, 7, -800);
                 s.page->decodeStickReply(QByteArray(16, '\0') +
                                          wordsOf(channelWords(v, 7, 90)));
             }}});
}

TEST(LiveIndicators, OvxbChannelAndOutputBarsFollowEveryValue) {
    testsupport::OvxbPage s;
    expectBarsFollowEveryValue(
        s, {{"Receiver", s.page->rcGroup(), kSteps,
             [&](int step) {
                 // bar = value + 1200 over 0..2400
                 const int v = sample(step, -40, 8, -700);
                 s.page->decodeStickReply(wordsOf(channelWords(v, 7, 110)));
             }},
            {"OutputServos", s.page->outGroup(), kSteps, [&](int step) {
                 // Outputs over 800..2220; neutrals far off the bars, so that no mark covers
                 // the end of a fill.
                 const int o = sample(step, 1500, 5, -500);
                 s.page->decodeServoReply(wordsOf(channelWords(o, 5, 60)) +
                                          wordsOf(QList<int>(5, -30000)));
             }}});
}

// OVXC and OVXD: channels as percent of the reply's full scale (bar = percent + 150 over
// 0..300), outputs with the reply's travel span.
template <class Fixture> void expectFullScaleBarsFollowEveryValue() {
    Fixture s;
    const int channels = int(s.page->rcGroup().size());
    const int outputs = int(s.page->outGroup().size());
    const int marked = int(s.page->neutralMarkGroup().size());
    expectBarsFollowEveryValue(
        s, {{"Receiver", s.page->rcGroup(), kSteps,
             [&](int step) {
                 const int v = sample(step, -40, 10, -700);
                 s.page->decodeStickReply(words({0, 1000}) +
                                          wordsOf(channelWords(v, channels, 110)));
             }},
            {"OutputServos", s.page->outGroup(), kSteps, [&](int step) {
                 const int o = sample(step, 1500, 5, -500);
                 // Outputs with marks, their neutrals far off the bars, then the others.
                 const QList<int> values = channelWords(o, outputs, 60);
                 s.page->decodeServoReply(words({0, 400}) + wordsOf(values.first(marked)) +
                                          wordsOf(QList<int>(marked, -30000)) +
                                          wordsOf(values.sliced(marked)));
             }}});
}

TEST(LiveIndicators, OvxcChannelAndOutputBarsFollowEveryValue) {
    expectFullScaleBarsFollowEveryValue<testsupport::OvxcPage>();
}

TEST(LiveIndicators, OvxdChannelAndOutputBarsFollowEveryValue) {
    expectFullScaleBarsFollowEveryValue<testsupport::OvxdPage>();
}

} // namespace
