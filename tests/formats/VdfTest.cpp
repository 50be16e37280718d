// The tolerant reader of Steam's key-value files.
#include "formats/Image.h"
#include "formats/Vdf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<formats::VdfEntry> read(const std::string& text)
{
    return formats::readVdf(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(Vdf, ReadsNestedBlocksCommentsEscapesBareTokensAndConditions)
{
    const auto top = read("// a comment\n\"libraryfolders\"\n{\n"
                          "  \"0\" { \"path\" \"/home/a \\\"b\\\"\\\\c\" // trailing comment\n"
                          "          \"apps\" { \"70\" \"1\" } }\n"
                          "  1 \"/old/style\" [$LINUX]\n"
                          "  \"PATH\" \"second\"\n"
                          "}");
    ASSERT_EQ(top.size(), 1u);
    ASSERT_TRUE(top[0].block);
    EXPECT_EQ(top[0].key, "libraryfolders");
    ASSERT_EQ(top[0].children.size(), 3u);
    const formats::VdfEntry& first = top[0].children[0];
    EXPECT_EQ(first.find("Path")->value, "/home/a \"b\"\\c");
    EXPECT_EQ(first.find("apps")->find("70")->value, "1");
    EXPECT_EQ(first.find("missing"), nullptr);
    EXPECT_EQ(top[0].children[1].key, "1");
    EXPECT_EQ(top[0].children[1].value, "/old/style");
    EXPECT_EQ(top[0].find("path")->value, "second") << "keys are found without regard to case";
}

TEST(Vdf, ABlockLeftOpenEndsWithTheData)
{
    const auto top = read("\"a\" { \"b\" { \"c\" \"d\"");
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].find("b")->find("c")->value, "d");
    EXPECT_TRUE(read("").empty());
    EXPECT_TRUE(read("  // only a comment").empty());
}

std::string nested(int depth)
{
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "\"a\" { ";
    return text;
}

TEST(Vdf, ReadsBlocksNestedSixtyFourDeep)
{
    EXPECT_EQ(read(nested(64)).size(), 1u);
}

std::string caseName(const ::testing::TestParamInfo<std::string>& info)
{
    static const char* const names[] = {"StrayClose",       "StrayCloseAfterAPair", "KeyAlone",
                                        "KeyAloneInABlock", "BlockWithoutKey",      "UnclosedString",
                                        "OnlyBraces",       "NestedTooDeep",        "BinaryFile"};
    return names[info.index];
}

class DamagedVdf : public ::testing::TestWithParam<std::string> {};

TEST_P(DamagedVdf, FailsWithAFormatError)
{
    EXPECT_THROW(read(GetParam()), formats::FormatError);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DamagedVdf,
                         ::testing::Values(std::string("}"), std::string("\"a\" \"b\" }"), std::string("\"key\""),
                                           std::string("\"a\" { \"b\" }"), std::string("{ \"a\" \"b\" }"),
                                           std::string("\"a\" \"unclosed"), std::string(200, '{'), nested(100),
                                           std::string("\x89PNG\r\n\x1a\n\0\0\0\r\"IHDR", 17)),
                         caseName);

} // namespace
