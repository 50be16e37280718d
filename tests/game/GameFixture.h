// The whole program with a game installation of its own: a temporary game
// root holding a mod folder, logo wad files in the program directory, and
// every program start and desktop open recorded instead of carried out.
#pragma once

#include "support/ProgramFixture.h"

#include "core/GameCommand.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

class QPushButton;
class TForm6;

class GameFixture : public ProgramFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    static QString fixture(const QString& name);
    static QByteArray fixtureBytes(const QString& name);

    // <temp>/half-life and its mod folder <temp>/half-life/cstrike.
    QString gameRoot() const { return game_.path() + QStringLiteral("/half-life"); }
    QString modFolder() const { return gameRoot() + QStringLiteral("/cstrike"); }
    QString installed() const { return modFolder() + QStringLiteral("/pldecal.wad"); }
    QString other() const { return game_.path(); }

    // The settings record before start(): the game location (saved when
    // gameSaved), and the extra program (saved when extraSaved).
    void configure(bool gameSaved, bool extraSaved, const QString& location = QString(),
                   const QString& extraProgram = QString());
    // A logo wad file in the program directory with a fixture's bytes.
    void addLogo(const QString& title, const QString& fixtureName);
    // A small shell script, executable unless told otherwise.
    static void writeScript(const QString& path, const QByteArray& body, bool executable = true);
    static void writeBytes(const QString& path, const QByteArray& bytes);
    static QByteArray bytesOf(const QString& path);

    // The double click on a slot picture.
    void doubleClick(int slot);
    TForm6* dialog();
    QPushButton* dialogButton(const QString& name);
    void click(const QString& dialogButtonName);

    // Starts and desktop opens, in order, since SetUp.
    QList<game::ProgramCommand> started;
    QList<QUrl> opened;
    // Starts programs for real from now on.
    void startForReal();

private:
    QTemporaryDir game_;
};
