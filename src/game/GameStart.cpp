#include "GameStart.h"

#include "GameCommand.h"
#include "Launch.h"
#include "app/Forms.h"
#include "app/MessageBox.h"
#include "app/Unit1.h"
#include "settings/unit2.h"
#include "steam/SteamLibraries.h"
#include "store/Table.h"

namespace game {

bool startGame(TForm1& form)
{
    // The exchange's scratch record reaches its file before the game takes over.
    form.Table3().edit();
    form.Table3().post();

    const QString location = forms().Form2->gameLocation();
    const GameLocation split = splitGameLocation(location);
    if (split.modFolder.isEmpty()) {
        // Without a mod the game would start with another one than chosen.
        app::MessageBox::plain(QStringLiteral("Wrong Half-Life directory, select the correct Half-Life directory at the config screen"));
        return false;
    }

    // A game of a Steam library is started by Steam, which keeps it up to date
    // and logs the player in.
    const QString steamProgram = steam::steamCommand();
    if (!steamProgram.isEmpty() && steam::inLibrary(location))
        return startDetached({steamProgram, steam::launchArguments(split.modFolder), split.root});

    const QList<ProgramCommand> commands = gameCommands(location);
    if (commands.isEmpty()) {
        app::MessageBox::error(QStringLiteral("No Half-Life executable (%1) was found in the game root \"%2\". Select the correct Half-Life directory at the config screen.")
                                   .arg(gameExecutableNames().join(QStringLiteral(" or ")), split.root));
        return false;
    }
    bool started = true;
    for (const ProgramCommand& command : commands)
        started = startDetached(command) && started;
    return started;
}

} // namespace game
