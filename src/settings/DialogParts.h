// The parts that the location dialogs share: their Save and Cancel buttons
// and the help panel beyond the narrow window's right edge.
#pragma once

#include "info/LinkLabel.h"

#include <QRect>
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

namespace settings {

class HelpLabel;

// What every settings window shares: its object name, caption, title bar
// without a resize frame, the dialog font and its narrow fixed size.
void frameSettingsWindow(QDialog* dialog, const QString& name, const QString& caption, const QSize& size);

// The bold "Help" label whose right edge lies at `right`.
HelpLabel* addHelpLabel(QWidget* parent, int right, int y);

// The closing lines of the help texts of the location dialogs: "Any
// problems?" and where the author can be found, above the web link.
QStringList withContactLines(QStringList lines);

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
