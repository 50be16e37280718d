// Keeps Qt's own file dialog from reading files to learn their kind or icon,
// and hides the program's table files from it. Closing any descriptor of a
// table file drops the locks the table engine holds on it, so nothing but the
// engine may open those files.
#pragma once

#include <QAbstractFileIconProvider>
#include <QIcon>
#include <QString>

class QFileDialog;
class QStyle;
class QWidget;

namespace logoimport {

// Icons and type names from the kind of entry alone (folder, file, drive):
// the default provider asks the MIME database, which opens each file and
// reads its first bytes.
class PlainIconProvider : public QAbstractFileIconProvider {
public:
    explicit PlainIconProvider(QStyle* style);
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    QIcon file_, folder_, drive_;
};

// Qt's own dialog (a platform dialog is beyond the program's control) with
// the icons of `icons`, no custom folder icons, and the table files filtered
// out. `icons` must outlive the dialog.
void quieten(QFileDialog& dialog, PlainIconProvider& icons);

// QFileDialog::getSaveFileName through such a dialog; empty on cancel.
QString quietSaveFileName(QWidget* parent, const QString& caption, const QString& path, const QString& filter);

} // namespace logoimport
