// The parts that the location dialogs share: their Save and Cancel buttons
// and the help panel beyond the narrow window's right edge.
#pragma once

#include "info/LinkLabel.h"

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace settings {

struct SaveCancel {
    QPushButton* save = nullptr;     // "bSave", the default button
    QPushButton* cancel = nullptr;   // "bCancel"
};

// Shown instead of saving a path that the settings table cannot hold whole.
void reportUnstorablePath();

SaveCancel addSaveCancel(QWidget* dialog, const QRect& save, const QRect& cancel);

// The panel "Panel2" at `panel` with the help text "Memo1" of the given
// height and the web link "hyperlink" at `link` (102 × 13).
info::LinkLabel* addHelpPanel(QWidget* dialog, const QRect& panel, int memoHeight, const QString& text,
                              info::LinkLabel::PressLook look, const QPoint& link);

} // namespace settings
