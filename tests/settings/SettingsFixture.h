// The whole program with a folder tree of its own for the settings dialogs
// to browse, and the way into a modal dialog: the menu item opens it, the
// steps run inside its loop, and a dialog the steps leave open is closed
// (and the test fails) so that no test hangs.
#pragma once

#include "ProgramFixture.h"

#include "app/Unit1.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

// Readable texts in the failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

class SettingsFixture : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        ASSERT_TRUE(tree_.isValid());
    }
    void TearDown() override
    {
        EXPECT_EQ(unopened_, 0) << "a window the steps were meant for never opened";
        ProgramFixture::TearDown();
    }

    // A game folder below the test's own tree (it holds a liblist.gam),
    // made with its parents.
    QString folder(const QString& relative)
    {
        const QString path = plainFolder(relative);
        QFile liblist(path + QStringLiteral("/liblist.gam"));
        if (!liblist.exists()) {
            EXPECT_TRUE(liblist.open(QIODevice::WriteOnly));
            liblist.write("game \"Test Game\"\n");
        }
        return path;
    }
    // A folder without liblist.gam, made with its parents.
    QString plainFolder(const QString& relative)
    {
        const QString path = tree_.path() + QLatin1Char('/') + relative;
        EXPECT_TRUE(QDir().mkpath(path));
        return QDir::cleanPath(path);
    }
    QString file(const QString& relative, QFile::Permissions extra = {})
    {
        const QString path = tree_.path() + QLatin1Char('/') + relative;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write("x");
        f.close();
        if (extra)
            f.setPermissions(f.permissions() | extra);
        return path;
    }

    // The settings as the table file holds them, read with a connection of its own.
    QString storedConfig(int field) const
    {
        store::Table table(store::configTableDef());
        table.setDirectory(dir());
        table.open();
        const QString value = table.text(field);
        table.close();
        return value;
    }

    void bothSaved()
    {
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
        setConfig(store::ConfigRecord::ExtraConfigSaved, QStringLiteral("Yes"));
    }

    template <class W>
    static W* in(QWidget* window, const char* name)
    {
        W* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << "no widget " << name;
        return w;
    }

    // Runs the steps inside the next modal dialog, which must be the one of
    // that object name ("Form2"); the test fails when none opens.
    void inside(const char* expected, std::function<void()> steps)
    {
        ++unopened_;
        whenModal([this, expected, steps](QWidget* modal) {
            --unopened_;
            EXPECT_EQ(modal->objectName(), QLatin1String(expected)) << "another modal window";
            if (modal->objectName() == QLatin1String(expected))
                steps();
            if (modal->isVisible()) {
                ADD_FAILURE() << modal->objectName().toStdString() << " was left open";
                if (auto* d = qobject_cast<QDialog*>(modal))
                    d->done(QDialog::Rejected);
                else
                    modal->hide();
            }
        });
    }

    // Chooses a menu item of the main window.
    void choose(const char* action) { widget<QAction>(QLatin1String(action))->trigger(); }

    QTemporaryDir tree_;
    int unopened_ = 0;   // inside() steps still waiting for their window
};
