#include "GameStart.h"

#include "Settings.h"
#include "steam/SteamLibraries.h"

namespace core {

GameStartPlan gameStartPlan(const Settings& settings)
{
    using game::splitGameLocation;
    const QString location = settings.gameLocation();
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
    if (!steamProgram.isEmpty() && steam::inLibrary(location)) {
        plan.commands.append({steamProgram, steam::launchArguments(split.modFolder), split.root});
        return plan;
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
