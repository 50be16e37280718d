// The maker's addresses, each kept here once, and the one way to open them:
// through the desktop, which starts the browser or the mail program.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace info {

QString webHost();
QString mailAddress();

QUrl webSite();     // "http://" + host
QUrl helpPage();    // the web site + "/tagomathelp.shtml"
QUrl forumPage();   // the web site + "/redirect.htm"
QUrl mailLink();    // "mailto:" + address

// False when the desktop has nothing to open it with.
bool openAddress(const QUrl& address);
// Tests record the addresses instead of opening them.
void setOpenHook(std::function<void(const QUrl&)> hook);

} // namespace info
