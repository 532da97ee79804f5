#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>

#include "app/frame_rate.h"

namespace {

struct FrameRateCase {
    const char* name;
    int lastTime;
    int frames;
    int now;
    std::optional<std::string> title; // published, or only counted
};

void PrintTo(const FrameRateCase& c, std::ostream* out) {
    *out << c.name;
}

class FrameRateTest : public ::testing::TestWithParam<FrameRateCase> {};

TEST_P(FrameRateTest, CountsOrPublishes) {
    const FrameRateCase& c = GetParam();
    fpsLastTime = c.lastTime;
    fpsFrames = c.frames;
    char title[fpsTitleSize];
    std::strcpy(title, "untouched");

    const bool published = countFrame(c.now, title);

    ASSERT_EQ(published, c.title.has_value());
    if (published) {
        EXPECT_STREQ(title, c.title->c_str());
        EXPECT_EQ(fpsFrames, 0) << "the publishing call is not counted";
        EXPECT_EQ(fpsLastTime, c.now);
    } else {
        EXPECT_STREQ(title, "untouched");
        EXPECT_EQ(fpsFrames, c.frames + 1);
        EXPECT_EQ(fpsLastTime, c.lastTime);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameRateTest,
    ::testing::Values(FrameRateCase{"Exactly1000ms", 0, 59, 1000, std::nullopt},
                      FrameRateCase{"Just over 1000ms", 2000, 59, 3001, "Fps:58.000000"},
                      FrameRateCase{"OneCallInTheInterval", 500, 0, 1501, "Fps:0.000000"},
                      FrameRateCase{"LongInterval", 0, 10, 5000, "Fps:2.000000"},
                      FrameRateCase{"SixtyInOneSecond", 0, 60, 1001, "Fps:59.000000"},
                      // fpsFrames * 1000 would not fit in an int.
                      FrameRateCase{"HugeCount", 0, 3000000, 1001, "Fps:2997002.000000"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == ' ') {
                ch = '_';
            }
        }
        return name;
    });

TEST(FrameRateSequence, IntervalsFollowOneAnother) {
    fpsLastTime = 0;
    fpsFrames = 0;
    char title[fpsTitleSize];
    int published = 0;
    // A call every 16 ms for three seconds.
    for (int now = 16; now <= 3000; now += 16) {
        published += countFrame(now, title) ? 1 : 0;
    }
    EXPECT_EQ(published, 2);
    EXPECT_EQ(fpsLastTime, 2016);
    EXPECT_STREQ(title, "Fps:61.000000");
}

} // namespace
