// How the game of the game location in use is started: through Steam when
// the location lies in a Steam library, else by the game's own executables.
#pragma once

#include "GameCommand.h"

#include <QList>
#include <QString>

namespace core {

class Settings;

struct GameStartPlan {
    QList<game::ProgramCommand> commands;   // empty when the game cannot be started
    QString text;                           // why not, for the user
    bool isError = false;                   // shown as an error, else as a plain message
};

GameStartPlan gameStartPlan(const Settings& settings);
// The same for another game folder, such as one of the install targets.
GameStartPlan gameStartPlanFor(const QString& location);

} // namespace core
