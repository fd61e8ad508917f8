#pragma once

#include "OVX_Configurator/AppDelegate.h"
#include "OVX_Configurator/MainViewController.h"
#include "support/ShellEnvironment.h"
#include "support/SimulatedUnit.h"

#include <QString>
#include <initializer_list>
#include <QStringList>

namespace testsupport {

// The headline under which an alert shows the text of `key`.
QString headline(const char* key);
// The headlines of `keys`, in order.
QStringList headlines(std::initializer_list<const char*> keys);

// The program started with one simulated unit listed as "SLAB_sim", which the main view opens
// at start: the shell under test, the unit, and helpers to identify the unit and to wait for
// the program's exchanges with it.
class ConnectedShell {
public:
    // A unit of `model` (166, 168, 169, 170), changed by `setUp` before the program starts.
    explicit ConnectedShell(int model = 168,
                            const std::function<void(SimulatedUnit&)>& setUp = nullptr);

    ShellEnvironment shell;
    SimulatedUnit unit;
    AppDelegate* app = nullptr;
    MainViewController* main = nullptr;

    // Presses Connect and waits until the unit was identified and its block read, or an alert
    // appeared; true when the block of the unit's length arrived.
    bool identify();
    // Pumps events until `done` (true) or ten seconds passed (false): a loaded machine may be
    // slow to answer.
    bool waitFor(const std::function<bool()>& done);
    // Pumps events until one more alert than `before` is shown.
    bool waitForAlert(std::size_t before);
    // Moves the manual clock forward by `seconds` in steps (one poll tick, 0.05 s, by default),
    // letting the unit answer each step's exchange before the next step, as on a real line: one
    // jump would send every poll that falls due at once. A reply the unit delays comes on the
    // step that reaches it.
    void advance(double seconds, double step = 0.05);
    // Stops the shown page's live polls, for tests that follow other exchanges alone on the line
    // while they move the clock.
    void stopLivePolls();
    // Headlines of every alert shown so far.
    QStringList alertHeadlines() const;
    // Answers the oldest alert still shown with its first button.
    void confirm() { shell.ui.answer(0); }
};

} // namespace testsupport
