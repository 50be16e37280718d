#include "MainWindowState.h"

#include "app/Forms.h"
#include "app/Unit1.h"

namespace settings {

void restoreMainWindow()
{
    if (TForm1* main = forms().Form1)
        main->setWindowState(main->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

} // namespace settings
