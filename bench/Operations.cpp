#include "Operations.h"

#include "app/Forms.h"
#include "app/MessageBox.h"
#include "app/Program.h"
#include "app/Unit1.h"
#include "store/LogoFile.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QToolButton>

#include <cstdio>

namespace bench {

namespace {

void report(const QElapsedTimer& timer)
{
    std::printf("T %.4f\n", timer.nsecsElapsed() / 1e6);
}

void timeMoves(TForm1& form, int count)
{
    auto* next = form.findChild<QToolButton*>(QStringLiteral("DBNavigator2Next"));
    auto* first = form.findChild<QToolButton*>(QStringLiteral("DBNavigator2First"));
    for (int i = 0; i < count; ++i) {
        QToolButton* button = next->isEnabled() ? next : first;
        QElapsedTimer timer;
        timer.start();
        button->click();
        QApplication::processEvents();   // the pictures painted
        report(timer);
    }
}

void timePosts(TForm1& form, int count)
{
    for (int i = 0; i < count; ++i) {
        form.Table1().edit();
        form.Table1().setText(store::LogoPage::pictureTitle(1 + i % 8), QStringLiteral("t%1").arg(i));
        app::MessageBox::setNextAnswer(app::MessageBox::Answer::Yes);
        QElapsedTimer timer;
        timer.start();
        form.bSaveClick();
        report(timer);
    }
}

} // namespace

int operationsChild(const QString& dir, const QString& kind, int count)
{
    store::setProgramDir(dir);
    app::MessageBox::setScripted(true);
    app::Program program;
    if (!program.create())
        return 1;
    program.show();
    QApplication::processEvents();
    TForm1& form = *forms().Form1;
    if (kind == QLatin1String("move"))
        timeMoves(form, count);
    else if (kind == QLatin1String("post"))
        timePosts(form, count);
    else
        return 2;
    std::fflush(stdout);
    return 0;
}

} // namespace bench
