#include "app/MessageBox.h"

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
