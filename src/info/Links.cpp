#include "Links.h"

#include "store/ProgramDir.h"

#include <QDesktopServices>

namespace info {

namespace {
std::function<void(const QUrl&)>& hook()
{
    static std::function<void(const QUrl&)> h;
    return h;
}
}

bool webSiteConfigured() { return !QStringLiteral(TAGOMAT_WEB_SITE).isEmpty(); }
QString webHost() { return webSiteConfigured() ? QStringLiteral(TAGOMAT_WEB_SITE) : QStringLiteral("tagomat.example"); }
QString mailAddress() { return QStringLiteral("tagomat@") + webHost(); }

QUrl webSite() { return QUrl(QStringLiteral("http://") + webHost()); }

QUrl helpPage()
{
    if (!webSiteConfigured())
        return userGuide();
    return QUrl(QStringLiteral("http://") + webHost() + QStringLiteral("/tagomathelp.shtml"));
}

QUrl forumPage()
{
    if (!webSiteConfigured()) {
        QUrl guide = userGuide();
        guide.setFragment(QStringLiteral("getting-help"));
        return guide;
    }
    return QUrl(QStringLiteral("http://") + webHost() + QStringLiteral("/redirect.htm"));
}

QUrl userGuide() { return QUrl::fromLocalFile(store::userGuidePath()); }
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
