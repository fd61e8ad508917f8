#pragma once

#include "OVX_Configurator/MainViewController.h"
#include "OVX_Configurator/pages/OVXB_ViewController.h"
#include "support/ConnectedShell.h"
#include "support/EventLoop.h"

#include <QByteArray>
#include <QLabel>
#include <QList>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace testsupport {

// An OVXB unit on a pseudo-terminal, connected and identified, its block read into the page.
struct OvxbPage : ConnectedShell {
    explicit OvxbPage(const std::function<void(SimulatedUnit&)>& setUp = nullptr)
        : ConnectedShell(168, setUp) {
        main->detectDevice();
        identified = waitLong([&] {
            return main->data.size() == OVXB_ViewController::blockLength ||
                   !shell.ui.alerts.empty();
        });
        EXPECT_TRUE(identified && shell.ui.alerts.empty());
        page = main->ovxbViewController();
        unit.clearRecord();
        shell.clock.advance(3.0); // the message bar of the read is gone
    }

    // A control of the page by its object name (the test fails when there is none).
    template <class Control> Control* control(const char* name) const {
        auto* found = page->view()->findChild<Control*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Waits for real I/O with a generous limit (the machine may be loaded).
    static bool waitLong(const std::function<bool()>& done) { return waitUntil(done, 10000); }

    // The commands the unit received, without live polls.
    QList<QByteArray> commands() const {
        QList<QByteArray> out;
        for (const QByteArray& frame : unit.frames())
            if (!QList<QByteArray>{"INFO", "STCK", "SERV", "SNSR"}.contains(frame))
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
    OVXB_ViewController* page = nullptr;
};

// Whether `view` shows the picture `name` of the application resources at the view's size.
bool showsPicture(const QLabel* view, const char* name);

// "W", the block, its CRC high and low byte: the write frame of `block`.
QByteArray writeFrame(const QByteArray& block);

} // namespace testsupport
