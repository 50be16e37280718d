#include "logo/SprayRules.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace logo;

namespace {

struct Case {
    Size picture;
    int maxArea;
    Size expected;
    int maxSide = kMaxSprayside;
};
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.picture.width << "x" << c.picture.height << " within " << c.maxArea << " and " << c.maxSide;
}

class ChooseSize : public testing::TestWithParam<Case> {};

TEST_P(ChooseSize, TakesTheLargestValidSizeNearTheAspect)
{
    const Case& c = GetParam();
    const Size got = chooseSize(c.picture, c.maxArea, c.maxSide);
    EXPECT_EQ(got, c.expected) << got.width << "x" << got.height;
}

// A square picture gets 112x112 (the next square, 128x128, is over
// 14,336); pictures near 3:2 and 16:9 reach past the old 10,752.
INSTANTIATE_TEST_SUITE_P(Pictures, ChooseSize, testing::Values(
    Case{{1920, 1080}, kDefaultMaxArea, {144, 80}},
    Case{{512, 512}, kDefaultMaxArea, {112, 112}},
    Case{{64, 64}, kDefaultMaxArea, {112, 112}},
    Case{{300, 200}, kDefaultMaxArea, {144, 96}},
    Case{{200, 300}, kDefaultMaxArea, {96, 144}},
    Case{{128, 96}, kLargestMaxArea, {128, 96}},
    Case{{128, 96}, 10752, {112, 80}},
    Case{{1000, 40}, kDefaultMaxArea, {256, 16}},
    Case{{512, 512}, kDefaultMaxArea, {64, 64}, kServerSafeSide},
    Case{{1920, 1080}, kDefaultMaxArea, {64, 32}, kServerSafeSide},
    Case{{1000, 40}, kDefaultMaxArea, {64, 16}, kServerSafeSide}),
    [](const testing::TestParamInfo<Case>& info) {
        const Case& c = info.param;
        return std::to_string(c.picture.width) + "x" + std::to_string(c.picture.height) + "_within_"
            + std::to_string(c.maxArea) + "_side_" + std::to_string(c.maxSide);
    });

// Every offered size obeys the rules, and nothing larger that is as close
// in aspect was left out.
TEST(SizesNear, OfferOnlyValidSizesLargestFirst)
{
    for (int maxSide : {kServerSafeSide, kMaxSprayside})
    for (int maxArea : {kSmallestMaxArea, 10752, kLargestMaxArea})
        for (Size picture : {Size{1920, 1080}, Size{17, 400}, Size{640, 480}, Size{33, 33}}) {
            const std::vector<Size> sizes = sizesNear(picture, maxArea, maxSide);
            ASSERT_FALSE(sizes.empty());
            for (std::size_t i = 0; i < sizes.size(); ++i) {
                EXPECT_TRUE(sizeProblem(sizes[i], maxArea, maxSide).empty()) << sizes[i].width << "x" << sizes[i].height;
                if (i > 0)
                    EXPECT_GE(sizes[i - 1].area(), sizes[i].area());
            }
        }
}

TEST(SizeProblem, NamesEachBrokenRule)
{
    EXPECT_TRUE(sizeProblem({112, 96}, kDefaultMaxArea).empty());
    EXPECT_TRUE(sizeProblem({96, 128}, kLargestMaxArea).empty());
    EXPECT_TRUE(sizeProblem({112, 128}, kDefaultMaxArea).empty());
    EXPECT_TRUE(sizeProblem({224, 64}, kDefaultMaxArea).empty());
    EXPECT_FALSE(sizeProblem({128, 128}, kDefaultMaxArea).empty()); // 16384 > 14336
    EXPECT_FALSE(sizeProblem({96, 128}, 10752).empty());
    EXPECT_TRUE(sizeProblem({64, 64}, kDefaultMaxArea, kServerSafeSide).empty());
    EXPECT_FALSE(sizeProblem({80, 16}, kDefaultMaxArea, kServerSafeSide).empty());
    EXPECT_FALSE(sizeProblem({100, 96}, kLargestMaxArea).empty());
    EXPECT_FALSE(sizeProblem({272, 16}, kLargestMaxArea).empty());
    EXPECT_FALSE(sizeProblem({0, 16}, kLargestMaxArea).empty());
    EXPECT_TRUE(maxAreaProblem(kLargestMaxArea).empty());
    EXPECT_FALSE(maxAreaProblem(kLargestMaxArea + 1).empty());
    EXPECT_FALSE(maxAreaProblem(kSmallestMaxArea - 1).empty());
}

} // namespace
