// The maker's addresses, each kept here once, and the one way to open them:
// through the desktop, which starts the browser or the mail program.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace info {

QString webHost();
QString mailAddress();
// Whether the build names the maker's web site (TAGOMAT_WEB_SITE).
bool webSiteConfigured();

QUrl webSite();     // "http://" + host
// The web site + "/tagomathelp.shtml"; the user guide when no site is configured.
QUrl helpPage();
// The web site + "/redirect.htm"; the guide's part on getting help when no site is configured.
QUrl forumPage();
QUrl mailLink();    // "mailto:" + address
// The user guide that comes with the program (an HTML file).
QUrl userGuide();

// False when the desktop has nothing to open it with.
bool openAddress(const QUrl& address);
// Tests record the addresses instead of opening them.
void setOpenHook(std::function<void(const QUrl&)> hook);

} // namespace info
