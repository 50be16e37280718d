#include "SlotWithFile.h"

#include "app/MessageBox.h"
#include "store/Errors.h"
#include "store/Table.h"

namespace slotedit {

bool postWithFileChange(store::Table& pages, const std::function<void()>& undo)
{
    try {
        pages.post();
    } catch (const store::EngineError& e) {
        undo();
        if (!store::isKeyViolation(e))
            throw;   // a locked or full table file: the error box shows why
        app::MessageBox::plain(QStringLiteral("A page with this name already exists, please change it."));
        return false;
    } catch (...) {
        undo();
        throw;
    }
    pages.edit();   // the page stays in a pending edit, as after any slot command
    return true;
}

} // namespace slotedit
