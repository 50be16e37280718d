#include "GameStart.h"

#include "Settings.h"
#include "steam/GameFolders.h"
#include "steam/SteamLibraries.h"

namespace core {

GameStartPlan gameStartPlan(const Settings& settings) { return gameStartPlanFor(settings.gameLocation()); }

GameStartPlan gameStartPlanFor(const QString& location)
{
    using game::splitGameLocation;
    const game::GameLocation split = splitGameLocation(location);
    GameStartPlan plan;
    if (split.modFolder.isEmpty()) {
        // Without a mod the game would start with another one than chosen.
        plan.text = QStringLiteral("Wrong Half-Life directory, select the correct Half-Life directory at the config screen");
        return plan;
    }
    // A game of a Steam library is started by Steam, which keeps it up to date
    // and logs the player in.
    const QString steamProgram = steam::steamCommand();
    if (!steamProgram.isEmpty()) {
        if (const QStringList arguments = steam::steamLaunchArguments(location); !arguments.isEmpty()) {
            plan.commands.append({steamProgram, arguments, split.root});
            return plan;
        }
    }
    plan.commands = game::gameCommands(location);
    if (plan.commands.isEmpty()) {
        plan.isError = true;
        plan.text = QStringLiteral("No Half-Life executable (%1) was found in the game root \"%2\". Select the correct Half-Life directory at the config screen.")
                        .arg(game::gameExecutableNames().join(QStringLiteral(" or ")), split.root);
    }
    return plan;
}

} // namespace core
