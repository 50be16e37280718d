// The import's file dialog "OpenDialog1". It keeps the file the user chose
// last (not the logo wad file it became) and opens in its folder on it. Tests queue the next choice
// (a path or a cancel), and then no real dialog opens.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace logoimport {

class OpenDialog : public QObject {
    Q_OBJECT
public:
    explicit OpenDialog(QObject* parent = nullptr);

    // The dialog of the window, made on first use.
    static OpenDialog& of(QWidget* window);

    static QStringList nameFilters();

    QString fileName() const { return fileName_; }
    void setFileName(const QString& path) { fileName_ = path; }
    // Every file of the last choice; fileName() is the first.
    QStringList fileNames() const { return fileNames_; }

    // Shows the dialog, which takes one file or several; true with
    // fileNames() set to the chosen files, false when the user cancels.
    bool execute(QWidget* parent);
    // The same for "Import folder or archive...": folders and archives
    // are chosen too (several at once).
    bool executeSources(QWidget* parent);

    // A folder, through the same quiet dialog; empty when the user cancels.
    // It takes the next queued choice as execute() does.
    static QString chooseFolder(QWidget* parent, const QString& caption);

    // The test hook: the next execute() takes this answer instead of asking.
    static void queueChoice(const QString& path);
    static void queueChoices(const QStringList& paths);
    static void queueCancel();
    static int queuedChoices();
    static void clearQueue();
    // How often execute() ran (tests check that no dialog was shown).
    static int executions();

private:
    bool takeQueued();
    QString fileName_;
    QStringList fileNames_;
};

} // namespace logoimport
