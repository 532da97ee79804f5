#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "physics/ball_contact.h"
#include "scene_fixture.h"

namespace {

struct Ball {
    Vector3 start;
    Vector3 velocity;
};

struct Contact {
    double time;
    int first;
    int second;
};

struct ContactCase {
    const char* name;
    double subStep;
    std::vector<Ball> balls;
    std::optional<Contact> any;         // findBallContact
    std::optional<Contact> approaching; // findApproachingBallContact
};

void PrintTo(const ContactCase& c, std::ostream* out) {
    *out << c.name;
}

class BallContactTest : public SceneTest, public ::testing::WithParamInterface<ContactCase> {
  protected:
    // As the step leaves the scene: start centres in previousPositions, tentative end centres
    // in ballPositions.
    static void placeBalls(const ContactCase& c) {
        ballCount = static_cast<int>(c.balls.size());
        for (int k = 0; k < ballCount; ++k) {
            previousPositions[k] = c.balls[k].start;
            ballVelocities[k] = c.balls[k].velocity;
            ballPositions[k] = c.balls[k].start + c.balls[k].velocity * c.subStep;
        }
    }

    static void check(bool (*search)(double, double&, int&, int&), double subStep,
                      const std::optional<Contact>& expected) {
        double time = -1.0;
        int first = -1;
        int second = -1;
        const bool found = search(subStep, time, first, second);
        ASSERT_EQ(found, expected.has_value());
        if (!found) {
            EXPECT_EQ(time, -1.0);
            EXPECT_EQ(first, -1);
            EXPECT_EQ(second, -1);
            return;
        }
        EXPECT_NEAR(time, expected->time, 1e-12);
        EXPECT_EQ(first, expected->first);
        EXPECT_EQ(second, expected->second);
    }
};

TEST_P(BallContactTest, ReportsTheEarliestSampledContact) {
    const ContactCase& c = GetParam();
    placeBalls(c);
    check(&findBallContact, c.subStep, c.any);
    check(&findApproachingBallContact, c.subStep, c.approaching);
}

const Vector3 still(0, 0, 0);
const Contact headOn{29.5, 0, 1};

INSTANTIATE_TEST_SUITE_P(
    Cases, BallContactTest,
    ::testing::Values(
        // dt 0.5; centres 40 apart at s = 30, reported one increment earlier.
        ContactCase{"HeadOn",
                    75,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)}, {Vector3(100, 0, 0), Vector3(-1, 0, 0)}},
                    headOn,
                    headOn},
        ContactCase{
            "OverlappingAndSeparating",
            0.6,
            {{Vector3(0, 0, 0), Vector3(-0.1, 0, 0)}, {Vector3(30, 0, 0), Vector3(0.1, 0, 0)}},
            Contact{0, 0, 1},
            std::nullopt},
        // Would come within about 35.4, but ball 1's end centre lies about 88.4 from the line.
        ContactCase{"CoarselyRejected",
                    75,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)}, {Vector3(50, 0, 0), Vector3(0, 1, 0)}},
                    std::nullopt,
                    std::nullopt},
        // The end centre exactly 40 from the line is still sampled.
        ContactCase{"CoarseBoundaryIsSampled",
                    75,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)}, {Vector3(50, 40, 0), still}},
                    Contact{49.5, 0, 1},
                    Contact{49.5, 0, 1}},
        ContactCase{"CoarseBoundaryJustOutside",
                    75,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)}, {Vector3(50, 40.000001, 0), still}},
                    std::nullopt,
                    std::nullopt},
        // With rel = 0 the coarse test measures from ball 0's start to ball 1's end centre.
        ContactCase{"EqualVelocitiesTouching",
                    0.6,
                    {{Vector3(0, 0, 0), Vector3(0, -3, 0)}, {Vector3(0, 40, 0), Vector3(0, -3, 0)}},
                    Contact{0, 0, 1},
                    std::nullopt},
        ContactCase{"EqualVelocitiesEndCentreBeyond40",
                    0.6,
                    {{Vector3(0, 0, 0), Vector3(3, 1, 0)}, {Vector3(0, 40, 0), Vector3(3, 1, 0)}},
                    std::nullopt,
                    std::nullopt},
        ContactCase{
            "EqualVelocitiesApart",
            0.6,
            {{Vector3(0, 0, 0), Vector3(0, -3, 0)}, {Vector3(0, 40.000001, 0), Vector3(0, -3, 0)}},
            std::nullopt,
            std::nullopt},
        ContactCase{"CoincidentCentres",
                    0.6,
                    {{Vector3(5, 5, 5), still}, {Vector3(5, 5, 5), still}},
                    Contact{0, 0, 1},
                    std::nullopt},
        ContactCase{"NoPairWithin40",
                    0.6,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)}, {Vector3(100, 0, 0), Vector3(-1, 0, 0)}},
                    std::nullopt,
                    std::nullopt},
        ContactCase{"OneBall", 0.6, {{Vector3(0, 0, 0), still}}, std::nullopt, std::nullopt},
        ContactCase{"NoBalls", 0.6, {}, std::nullopt, std::nullopt},
        // Pair (2, 3) touches at s = 10, before pair (0, 1), although visited later.
        ContactCase{"EarlierPairWins",
                    75,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)},
                     {Vector3(100, 0, 0), Vector3(-1, 0, 0)},
                     {Vector3(0, 500, 0), Vector3(1, 0, 0)},
                     {Vector3(60, 500, 0), Vector3(-1, 0, 0)}},
                    Contact{9.5, 2, 3},
                    Contact{9.5, 2, 3}},
        ContactCase{"TieGoesToFirstVisited",
                    75,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)},
                     {Vector3(100, 0, 0), Vector3(-1, 0, 0)},
                     {Vector3(0, 500, 0), Vector3(1, 0, 0)},
                     {Vector3(100, 500, 0), Vector3(-1, 0, 0)}},
                    headOn,
                    headOn},
        // The separating pair (0, 1) touches first; only the approaching search looks past it.
        ContactCase{"SeparatingPairHidesLaterContact",
                    75,
                    {{Vector3(0, 0, 0), Vector3(-0.1, 0, 0)},
                     {Vector3(30, 0, 0), Vector3(0.1, 0, 0)},
                     {Vector3(0, 500, 0), Vector3(1, 0, 0)},
                     {Vector3(60, 500, 0), Vector3(-1, 0, 0)}},
                    Contact{0, 0, 1},
                    Contact{9.5, 2, 3}},
        // Overlapping at the start but approaching: answered at time 0 by both.
        ContactCase{"OverlappingAndApproaching",
                    0.6,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)}, {Vector3(30, 0, 0), Vector3(-1, 0, 0)}},
                    Contact{0, 0, 1},
                    Contact{0, 0, 1}},
        // 150 additions of 1.1 / 150 fall just short of 1.1, so a 151st sample is taken.
        ContactCase{"OneSamplePastTheSubStep",
                    1.1,
                    {{Vector3(0, 0, 0), Vector3(1, 0, 0)}, {Vector3(41.105, 0, 0), still}},
                    Contact{1.1, 0, 1},
                    Contact{1.1, 0, 1}},
        ContactCase{"NothingToSample",
                    0.0,
                    {{Vector3(0, 0, 0), still}, {Vector3(0, 0, 0), still}},
                    std::nullopt,
                    std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
