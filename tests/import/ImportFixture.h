// The whole program on a temporary program directory, with helpers that
// answer the import's file dialog and name prompt, and read the outcome.
#pragma once

#include "support/ProgramFixture.h"

#include <QImage>
#include <QStringList>
#include <QUrl>

class ImportFixture : public ProgramFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    static QString fixture(const QString& name);
    // A directory outside the program directory, for files the user picks.
    QString elsewhere() const { return other_.path(); }
    QString copyTo(const QString& dir, const QString& fixtureName, const QString& as);

    // The name prompt takes these names in turn: a refused name leaves the
    // prompt open for the next one. okEnabledOnShow records, for each
    // showing of the prompt, whether OK was enabled.
    void answerPrompt(const QStringList& names);
    QList<bool> okEnabledOnShow;
    int promptShowings = 0;

    // The next import's choices: the file dialog picks a copy of the fixture
    // named `as` from elsewhere, and the name prompt takes `logoName`.
    void chooseFromElsewhere(const QString& fixtureName, const QString& as, const QString& logoName);

    // Presses the "+" button of the slot.
    void clickPlus(int slot);
    void drop(const QList<QUrl>& urls);
    static QList<QUrl> urlsOf(const QStringList& paths);

    QString slotTitle(int slot);
    QImage slotImage(int slot);
    // The stored row of the page with this title, read with a connection of its own.
    QString storedSlotTitle(const QString& page, int slot) const;

    // Fails unless the image shows the WAD's picture (allowing for JPEG loss).
    static void expectShowsWad(const QImage& image, const QString& wadPath);

    // Replaces a converter in the program directory by a shell script.
    void replaceTool(const QString& tool, const QByteArray& script);

    QStringList programDirEntries() const;

private:
    QTemporaryDir other_;
};
