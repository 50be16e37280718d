#include "logo/SprayRules.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace logo;

namespace {

struct Case {
    Size picture;
    int maxArea;
    Size expected;
};
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.picture.width << "x" << c.picture.height << " within " << c.maxArea;
}

class ChooseSize : public testing::TestWithParam<Case> {};

TEST_P(ChooseSize, TakesTheLargestValidSizeNearTheAspect)
{
    const Case& c = GetParam();
    EXPECT_EQ(chooseSize(c.picture, c.maxArea), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Pictures, ChooseSize, testing::Values(
    Case{{1920, 1080}, kDefaultMaxArea, {112, 64}},
    Case{{512, 512}, kDefaultMaxArea, {96, 96}},
    Case{{64, 64}, kDefaultMaxArea, {96, 96}},
    Case{{300, 200}, kDefaultMaxArea, {96, 64}},
    Case{{200, 300}, kDefaultMaxArea, {64, 96}},
    Case{{128, 96}, kLargestMaxArea, {128, 96}},
    Case{{1000, 40}, kDefaultMaxArea, {256, 16}}),
    [](const testing::TestParamInfo<Case>& info) {
        const Case& c = info.param;
        return std::to_string(c.picture.width) + "x" + std::to_string(c.picture.height) + "_within_"
            + std::to_string(c.maxArea);
    });

// Every offered size obeys the rules, and nothing larger that is as close
// in aspect was left out.
TEST(SizesNear, OfferOnlyValidSizesLargestFirst)
{
    for (int maxArea : {kSmallestMaxArea, kDefaultMaxArea, kLargestMaxArea})
        for (Size picture : {Size{1920, 1080}, Size{17, 400}, Size{640, 480}, Size{33, 33}}) {
            const std::vector<Size> sizes = sizesNear(picture, maxArea);
            ASSERT_FALSE(sizes.empty());
            for (std::size_t i = 0; i < sizes.size(); ++i) {
                EXPECT_TRUE(sizeProblem(sizes[i], maxArea).empty()) << sizes[i].width << "x" << sizes[i].height;
                if (i > 0)
                    EXPECT_GE(sizes[i - 1].area(), sizes[i].area());
            }
        }
}

TEST(SizeProblem, NamesEachBrokenRule)
{
    EXPECT_TRUE(sizeProblem({112, 96}, kDefaultMaxArea).empty());
    EXPECT_TRUE(sizeProblem({96, 128}, kLargestMaxArea).empty());
    EXPECT_FALSE(sizeProblem({96, 128}, kDefaultMaxArea).empty()); // 12288 > 10752
    EXPECT_FALSE(sizeProblem({100, 96}, kLargestMaxArea).empty());
    EXPECT_FALSE(sizeProblem({272, 16}, kLargestMaxArea).empty());
    EXPECT_FALSE(sizeProblem({0, 16}, kLargestMaxArea).empty());
    EXPECT_TRUE(maxAreaProblem(kLargestMaxArea).empty());
    EXPECT_FALSE(maxAreaProblem(kLargestMaxArea + 1).empty());
    EXPECT_FALSE(maxAreaProblem(kSmallestMaxArea - 1).empty());
}

} // namespace
