#pragma once

#include "OVX_Configurator/AppDelegate.h"
#include "platform/Scheduler.h"
#include "support/LoopbackHttpServer.h"
#include "support/QtPrinting.h"
#include "support/RecordingUIServices.h"
#include "support/SimulatedPorts.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace testsupport {

// The application shell under test: preferences in a temporary folder, time that moves only
// with `clock.advance`, the maker's web site on a loopback server (`site`, named by
// OVX_SITE_URL while the environment lives; it answers 404 until a test sets replies), a
// recording desktop (`ui`), serial ports that only the test lists (`ports`: none unless the
// test lets simulated units arrive, before launch() for the units the program finds at start)
// and, after launch(), the one AppDelegate with its main window. Members are destroyed in an
// order that keeps timers, ports and alerts valid.
class ShellEnvironment {
public:
    // `languages`: the stored "AppleLanguages" value, none for no stored value.
    explicit ShellEnvironment(std::optional<QStringList> languages = QStringList{"en"});
    ~ShellEnvironment();
    ShellEnvironment(const ShellEnvironment&) = delete;
    ShellEnvironment& operator=(const ShellEnvironment&) = delete;

    // Makes the delegate and runs its launch sequence.
    AppDelegate& launch();

    // The stored "AppleLanguages" value.
    QStringList storedLanguages() const;

private:
    QTemporaryDir settingsDir_;

public:
    platform::ManualScheduler clock;

private:
    platform::ScopedScheduler clockScope_{clock};
    QByteArray previousSiteUrl_;
    bool hadSiteUrl_ = false;

public:
    LoopbackHttpServer site;
    RecordingUIServices ui;
    SimulatedPorts ports;
    std::unique_ptr<AppDelegate> delegate;
};

} // namespace testsupport
