#include "app/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using app::MessageBox;

TEST(MessageBox, TheErrorBoxEndsTextsWithAFullStopUnlessTheyEndInPunctuation)
{
    EXPECT_EQ(MessageBox::errorText("Key violation"), "Key violation.");
    EXPECT_EQ(MessageBox::errorText("Key violation."), "Key violation.");
    EXPECT_EQ(MessageBox::errorText("done!"), "done!");     // '!' sorts before '.'
    EXPECT_EQ(MessageBox::errorText("(see above)"), "(see above)");
    EXPECT_EQ(MessageBox::errorText("path /"), "path /.");   // '/' sorts after '.'
    EXPECT_EQ(MessageBox::errorText(""), "");
}

TEST(MessageBox, ScriptedQuestionsTakeTheNextAnswerAndDefaultToNo)
{
    MessageBox::setScripted(true);
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    EXPECT_TRUE(MessageBox::confirm("first?"));
    EXPECT_FALSE(MessageBox::warning("second?"));
    MessageBox::plain("note");
    ASSERT_EQ(MessageBox::shown().size(), 3);
    EXPECT_EQ(MessageBox::shown()[0].caption, "Confirm");
    EXPECT_EQ(MessageBox::shown()[1].caption, "Warning");
    EXPECT_EQ(MessageBox::shown()[2].caption, "Tagomat 2");
    EXPECT_EQ(MessageBox::shown()[2].kind, MessageBox::Kind::Plain);
}

TEST(MessageBox, AQuestionWithACheckBoxReportsItsStateScriptedAndOnTheScreen)
{
    MessageBox::setScripted(true);
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    MessageBox::setNextChecked(true);
    bool checked = false;
    EXPECT_TRUE(MessageBox::confirmWithCheck("Put it back?", "Don't ask again for this game", &checked));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(MessageBox::confirmWithCheck("Again?", "Don't ask again for this game", &checked));
    EXPECT_FALSE(checked) << "unchecked when no state is scripted";
    ASSERT_EQ(MessageBox::shown().size(), 2);
    EXPECT_EQ(MessageBox::shown()[0].checkText, "Don't ask again for this game");
    EXPECT_EQ(MessageBox::shown()[0].kind, MessageBox::Kind::Confirm);

    // The real box: the check box ticked, then Return takes the default Yes.
    MessageBox::setScripted(false);
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* check = box->findChild<QCheckBox*>("DontAskAgain");
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->text(), "Don't ask again for this game");
        EXPECT_FALSE(check->isChecked());
        check->setChecked(true);
        QTest::keyClick(box, Qt::Key_Return);
    });
    checked = false;
    const bool yes = MessageBox::confirmWithCheck("Put it back?", "Don't ask again for this game", &checked);
    MessageBox::setScripted(true);
    EXPECT_TRUE(yes);
    EXPECT_TRUE(checked);
}
