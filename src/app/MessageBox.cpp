#include "MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QQueue>
#include <QStringList>

namespace app {

namespace {
struct Script {
    bool on = false;
    QQueue<MessageBox::Answer> answers;
    QQueue<bool> checks;
    QList<MessageBox::Shown> shown;
};

Script& script()
{
    static Script s;
    return s;
}

QMessageBox::Icon iconOf(MessageBox::Kind kind)
{
    switch (kind) {
    case MessageBox::Kind::Plain: return QMessageBox::NoIcon;
    case MessageBox::Kind::Confirm: return QMessageBox::Question;
    case MessageBox::Kind::Warning: return QMessageBox::Warning;
    case MessageBox::Kind::Error: return QMessageBox::Critical;
    case MessageBox::Kind::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QWidget* parentWindow()
{
    QWidget* w = QApplication::activeModalWidget();
    return w ? w : QApplication::activeWindow();
}

void showOk(MessageBox::Kind kind, const QString& caption, const QString& text)
{
    script().shown.push_back({kind, caption, text});
    if (script().on)
        return;
    QMessageBox box(iconOf(kind), caption, text, QMessageBox::Ok, parentWindow());
    box.exec();
}
} // namespace

QString MessageBox::applicationTitle()
{
    const QString title = QApplication::applicationDisplayName();
    return title.isEmpty() ? QStringLiteral("Tagomat 2") : title;
}

void MessageBox::plain(const QString& text) { showOk(Kind::Plain, applicationTitle(), text); }

bool MessageBox::confirm(const QString& text, Answer defaultAnswer)
{
    return ask(Kind::Confirm, QStringLiteral("Confirm"), text, defaultAnswer);
}

bool MessageBox::warning(const QString& text, Answer defaultAnswer)
{
    return ask(Kind::Warning, QStringLiteral("Warning"), text, defaultAnswer);
}

bool MessageBox::information(const QString& text) { return ask(Kind::Information, QStringLiteral("Information"), text); }

QString MessageBox::errorText(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void MessageBox::error(const QString& text) { showOk(Kind::Error, applicationTitle(), errorText(text)); }

bool MessageBox::ask(Kind kind, const QString& caption, const QString& text, Answer defaultAnswer)
{
    script().shown.push_back({kind, caption, text, defaultAnswer});
    if (script().on)
        return !script().answers.isEmpty() && script().answers.dequeue() == Answer::Yes;
    QMessageBox box(iconOf(kind), caption, text, QMessageBox::Yes | QMessageBox::No, parentWindow());
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool MessageBox::confirmWithCheck(const QString& text, const QString& checkText, bool* checked, Answer defaultAnswer)
{
    const QString caption = QStringLiteral("Confirm");
    script().shown.push_back({Kind::Confirm, caption, text, defaultAnswer, checkText});
    if (script().on) {
        const bool yes = !script().answers.isEmpty() && script().answers.dequeue() == Answer::Yes;
        *checked = !script().checks.isEmpty() && script().checks.dequeue();
        return yes;
    }
    QMessageBox box(iconOf(Kind::Confirm), caption, text, QMessageBox::Yes | QMessageBox::No, parentWindow());
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    auto* check = new QCheckBox(checkText, &box);
    check->setObjectName(QStringLiteral("DontAskAgain"));
    box.setCheckBox(check);
    const bool yes = box.exec() == QMessageBox::Yes;
    *checked = check->isChecked();
    return yes;
}

void MessageBox::setScripted(bool on)
{
    script().on = on;
    script().answers.clear();
    script().checks.clear();
    script().shown.clear();
}

void MessageBox::setNextAnswer(Answer answer) { script().answers.enqueue(answer); }
void MessageBox::setNextChecked(bool checked) { script().checks.enqueue(checked); }
int MessageBox::pendingAnswers() { return script().answers.size(); }
const QList<MessageBox::Shown>& MessageBox::shown() { return script().shown; }

QStringList MessageBox::shownTexts()
{
    QStringList texts;
    for (const Shown& s : script().shown)
        texts << s.text;
    return texts;
}

void MessageBox::clearShown() { script().shown.clear(); }

} // namespace app
