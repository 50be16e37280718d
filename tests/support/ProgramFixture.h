// A fixture that runs the whole program on a program directory of its own:
// the three tables made by the installer, empty.bmp and, when they are
// built, the two converters.
#pragma once

#include "app/MessageBox.h"
#include "app/Program.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/Library.h"
#include "core/Settings.h"
#include "import/LogoImport.h"

class TForm1;

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the program directory (done by SetUp unless makeTables is false).
    QString dir() const { return dir_.path(); }
    QString path(const QString& name) const { return dir() + QLatin1Char('/') + name; }

    // Creates the windows and opens the tables; runs the first-show checks and
    // shows the main window when show is true.
    bool start(bool show = true);
    void stop();
    TForm1& form();
    app::Program& program() { return program_; }
    // The model the windows show, and the import's entry point.
    core::Library& library();
    core::Settings& settings();
    logoimport::Importer& importer();
    // A dialog of the main window, each made once (on first use; a look-up
    // makes the dialogs not made yet).
    template <class W>
    W& window()
    {
        W* w = rootWidget()->findChild<W*>();
        if (!w) {
            makeAllDialogs();
            w = rootWidget()->findChild<W*>();
        }
        EXPECT_NE(w, nullptr) << "no window " << W::staticMetaObject.className();
        return *w;
    }

    template <class W = QWidget>
    W* widget(const QString& name)
    {
        W* w = rootWidget()->findChild<W*>(name);
        if (!w) {
            makeAllDialogs();
            w = rootWidget()->findChild<W*>(name);
        }
        EXPECT_NE(w, nullptr) << "no widget " << name.toStdString();
        return w;
    }

    // Settings written straight into the table; after start() the running
    // settings read them again.
    void setConfig(int field, const QString& value);
    // A page written straight into the table before start(): a title and up to
    // eight slot titles, each slot with a small picture of its own colour.
    void addPage(const QString& title, const QStringList& slotTitles = {});
    // The same, with a logo wad file "<title>.wad" holding "logo <title>" for
    // each filled slot.
    void addPageWithFiles(const QString& title, const QStringList& slotTitles);
    void writeFile(const QString& name, const QByteArray& bytes);
    QByteArray readFile(const QString& name) const;
    bool fileExists(const QString& name) const;

    // Stored rows of LogoDB.db, read with a connection of their own.
    QStringList storedPageTitles() const;

    // Runs `action` as soon as the next modal dialog runs its own loop (at the
    // latest until the test ends).
    void whenModal(std::function<void(QWidget*)> action);

    static QByteArray colourPicture(int seed);
    void makeAllDialogs();

    app::MessageBox::Answer yes() const { return app::MessageBox::Answer::Yes; }
    app::MessageBox::Answer no() const { return app::MessageBox::Answer::No; }
    void answer(std::initializer_list<app::MessageBox::Answer> answers);
    QStringList shown() const { return app::MessageBox::shownTexts(); }

private:
    QWidget* rootWidget();
    QTemporaryDir dir_;
    std::unique_ptr<QObject> watchers_;
    app::Program program_;
    bool started_ = false;
};
