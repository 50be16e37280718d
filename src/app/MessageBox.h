// Every modal box of the program goes through here. Tests switch on the
// scripted mode: no box is shown, each question takes the next scripted
// answer (No when none is left), and every box is recorded.
#pragma once

#include <QList>
#include <QString>

namespace app {

class MessageBox {
public:
    enum class Kind { Plain, Confirm, Warning, Error, Information };
    enum class Answer { Yes, No };

    struct Shown {
        Kind kind;
        QString caption;
        QString text;
        Answer defaultAnswer = Answer::Yes;   // of a question: the button Return presses
        QString checkText;                    // the check box under the text, if any
    };

    // Plain message: the application title as caption, the text, OK.
    static void plain(const QString& text);
    // Confirmation box: "Confirm", question icon, Yes (default) and No. A
    // question that deletes files for good makes No its default.
    static bool confirm(const QString& text, Answer defaultAnswer = Answer::Yes);
    // Warning box: "Warning", warning icon, Yes and No.
    static bool warning(const QString& text, Answer defaultAnswer = Answer::Yes);
    // Confirmation box with a check box under the text ("Don't ask again
    // ..."), unchecked at first; *checked gets its state when the box closes.
    static bool confirmWithCheck(const QString& text, const QString& checkText, bool* checked,
                                 Answer defaultAnswer = Answer::Yes);
    // Question with the information icon, Yes and No.
    static bool information(const QString& text);
    // Error box: the application title, stop icon, OK; a "." is appended
    // when the text's last character sorts after ".".
    static void error(const QString& text);

    static QString errorText(const QString& text);
    static QString applicationTitle();

    // The scripted mode for tests.
    static void setScripted(bool on);
    static void setNextAnswer(Answer answer);
    // The check box's state for the next scripted question that has one
    // (unchecked when none is left).
    static void setNextChecked(bool checked);
    static int pendingAnswers();
    static const QList<Shown>& shown();
    static QStringList shownTexts();
    static void clearShown();

private:
    static bool ask(Kind kind, const QString& caption, const QString& text, Answer defaultAnswer = Answer::Yes);
};

} // namespace app
