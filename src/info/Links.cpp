#include "Links.h"

#include <QDesktopServices>

namespace info {

namespace {
std::function<void(const QUrl&)>& hook()
{
    static std::function<void(const QUrl&)> h;
    return h;
}
}

QString webHost() { return QStringLiteral("tagomat.example"); }
QString mailAddress() { return QStringLiteral("tagomat@tagomat.example"); }

QUrl webSite() { return QUrl(QStringLiteral("http://") + webHost()); }
QUrl helpPage() { return QUrl(QStringLiteral("http://") + webHost() + QStringLiteral("/tagomathelp.shtml")); }
QUrl forumPage() { return QUrl(QStringLiteral("http://") + webHost() + QStringLiteral("/redirect.htm")); }
QUrl mailLink() { return QUrl(QStringLiteral("mailto:") + mailAddress()); }

bool openAddress(const QUrl& address)
{
    if (hook()) {
        hook()(address);
        return true;
    }
    return QDesktopServices::openUrl(address);
}

void setOpenHook(std::function<void(const QUrl&)> h) { hook() = std::move(h); }

} // namespace info
