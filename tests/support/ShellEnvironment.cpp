#include "support/ShellEnvironment.h"

#include <QCoreApplication>
#include <QSettings>

namespace testsupport {

ShellEnvironment::ShellEnvironment(std::optional<QStringList> languages) {
    QCoreApplication::setOrganizationName(QStringLiteral("OVXTest"));
    QCoreApplication::setApplicationName(QStringLiteral("OVX Configurator Test"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    QSettings settings;
    settings.clear();
    if (languages)
        settings.setValue(QStringLiteral("AppleLanguages"), *languages);
    settings.sync();
}

ShellEnvironment::~ShellEnvironment() {
    delegate.reset();
}

AppDelegate& ShellEnvironment::launch() {
    delegate = std::make_unique<AppDelegate>();
    delegate->applicationDidFinishLaunching();
    return *delegate;
}

QStringList ShellEnvironment::storedLanguages() const {
    return QSettings().value(QStringLiteral("AppleLanguages")).toStringList();
}

} // namespace testsupport
