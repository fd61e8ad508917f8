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
    hadSiteUrl_ = qEnvironmentVariableIsSet("OVX_SITE_URL");
    previousSiteUrl_ = qgetenv("OVX_SITE_URL");
    qputenv("OVX_SITE_URL", site.baseUrl().toUtf8());
}

ShellEnvironment::~ShellEnvironment() {
    delegate.reset();
    if (hadSiteUrl_)
        qputenv("OVX_SITE_URL", previousSiteUrl_);
    else
        qunsetenv("OVX_SITE_URL");
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
