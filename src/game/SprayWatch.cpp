#include "SprayWatch.h"

#include "app/MessageBox.h"
#include "core/ReplacedSprays.h"
#include "core/Settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <memory>

namespace game {

SprayWatch::SprayWatch(core::Settings& settings, QWidget* window) : QObject(window), settings_(settings)
{
    window->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this, window](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive && window->isVisible())
            check();
    });
}

bool SprayWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        check();
    return QObject::eventFilter(watched, event);
}

void SprayWatch::check()
{
    // The questions themselves move the activation about.
    if (checking_)
        return;
    checking_ = true;
    const std::shared_ptr<void> done(nullptr, [this](void*) { checking_ = false; });
    const QList<core::ReplacedSpray> found = core::findReplacedSprays(settings_.installTargets());
    for (const core::ReplacedSpray& replaced : found) {
        if (replaced.logo != core::ReplacedSpray::Logo::InLibrary) {
            app::MessageBox::plain(replaced.text());
            core::keepReplacement(replaced);
            continue;
        }
        if (!settings_.putsBackWithoutAsking(replaced.installed.target)) {
            bool dontAsk = false;
            const bool yes = app::MessageBox::confirmWithCheck(
                replaced.text(), QStringLiteral("Don't ask again for this game"), &dontAsk);
            if (dontAsk && yes && !settings_.savePutBackWithoutAsking(replaced.installed.target))
                app::MessageBox::error(
                    QStringLiteral("The choice could not be saved in \"%1\".").arg(settings_.targetsPath()));
            if (!yes) {
                core::keepReplacement(replaced);
                continue;
            }
        }
        if (const QString failure = core::putBack(replaced, settings_); !failure.isEmpty()) {
            // Said once, like the question.
            core::keepReplacement(replaced);
            app::MessageBox::error(failure);
        }
    }
}

} // namespace game
