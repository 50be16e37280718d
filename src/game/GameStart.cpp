#include "GameStart.h"

#include "Launch.h"
#include "app/MessageBox.h"
#include "core/GameStart.h"
#include "core/Library.h"

#include <functional>

namespace game {

namespace {

bool start(core::Library& library, const std::function<core::GameStartPlan()>& makePlan)
{
    // The exchange's scratch record reaches its file before the game takes over.
    library.storeScratch();
    const core::GameStartPlan plan = makePlan();
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

} // namespace

bool startGame(core::Library& library, const core::Settings& settings)
{
    return start(library, [&settings] { return core::gameStartPlan(settings); });
}

bool startGameIn(core::Library& library, const QString& folder)
{
    return start(library, [&folder] { return core::gameStartPlanFor(folder); });
}

} // namespace game
