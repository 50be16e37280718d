#include "GameStart.h"

#include "Launch.h"
#include "app/MessageBox.h"
#include "core/GameStart.h"
#include "core/Library.h"

namespace game {

bool startGame(core::Library& library, const core::Settings& settings)
{
    // The exchange's scratch record reaches its file before the game takes over.
    library.storeScratch();
    const core::GameStartPlan plan = core::gameStartPlan(settings);
    if (plan.commands.isEmpty()) {
        if (plan.isError)
            app::MessageBox::error(plan.text);
        else
            app::MessageBox::plain(plan.text);
        return false;
    }
    bool started = true;
    for (const ProgramCommand& command : plan.commands)
        started = startDetached(command) && started;
    return started;
}

} // namespace game
