#pragma once

#include <QString>

// The program's own identity, as the release checks and the About box see it.
namespace AppInfo {

inline constexpr const char* kApplicationName = "OVX Configurator";

// Marketing version, for example "1.0.0".
QString version();
// Build number, compared with the builds offered by the release list.
QString build();
// The maker's web site, without a trailing slash: its pages, the release lists and the downloads
// (the environment variable OVX_SITE_URL replaces it, for trying the program against another
// server).
QString webSiteAddress();
// The address of the file `fileName` in the folder `folder` ("/updates/") of the site `site`. The
// name is taken as the path it stands for: a space in it is escaped instead of making no address
// at all, and a "?" or "#" stays part of the name instead of starting a query or a fragment.
QString siteFileAddress(const QString& site, const QString& folder, const QString& fileName);

} // namespace AppInfo
