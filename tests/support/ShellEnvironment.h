#pragma once

#include "OVX_Configurator/AppDelegate.h"
#include "platform/Scheduler.h"
#include "support/QtPrinting.h"
#include "support/RecordingUIServices.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace testsupport {

// The application shell under test: preferences in a temporary folder, time that moves only
// with `clock.advance`, a recording desktop (`ui`) and, after launch(), the one AppDelegate
// with its main window. Members are destroyed in an order that keeps timers and alerts valid.
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

public:
    RecordingUIServices ui;
    std::unique_ptr<AppDelegate> delegate;
};

} // namespace testsupport
