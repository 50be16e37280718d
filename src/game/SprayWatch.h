// Watches the installed sprays: at start-up, whenever the main window comes
// to the front again and before the logo-installed dialog starts a game, it
// compares each game folder's spray file with the install record. A spray a
// game replaced is put back after a question (Yes by default), or without
// one for a game the user said not to ask about again; a recorded logo that
// was renamed or deleted since is only reported. Each change is asked about
// once: a declined one is kept in the record.
#pragma once

#include <QObject>

class QWidget;

namespace core { class Settings; }

namespace game {

class SprayWatch : public QObject {
    Q_OBJECT
public:
    // Watches the activation of `window`.
    SprayWatch(core::Settings& settings, QWidget* window);

    // Compares now, and asks about each change found.
    void check();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    core::Settings& settings_;
    bool checking_ = false;
};

} // namespace game
