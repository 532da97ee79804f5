#include <gtest/gtest.h>

#include <cmath>

#include <cstring>
#include <ostream>
#include <string>

#include "scene_fixture.h"

namespace {

using SimulationTest = SceneTest;

TEST_F(SimulationTest, LoneBallBouncesOffTheFloor) {
    ballCount = 1;
    placeBall(0, Vector3(-100, -250, 150), Vector3(0, -100, 0));

    advanceSimulation();

    // Floor reached at time 0.5; the floor hit at distance 0 in the second pass is dropped.
    EXPECT_EQ(usedBursts(), 1);
    EXPECT_VECTOR_NEAR(bursts[0].position, -100, -300, 150, 1e-9);
    EXPECT_EQ(bursts[0].alpha, 1.0f);
    EXPECT_EQ(bursts[0].scale, 1.0f);
    EXPECT_VECTOR_NEAR(ballVelocities[0], 0, 100, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballPositions[0], -100, -290, 150, 1e-9);
    EXPECT_EQ(lastStepPasses, 2);
    EXPECT_EQ(soundCalls, 0);
}

TEST_F(SimulationTest, TwoBallsExchangeTheirVelocities) {
    ballCount = 2;
    placeBall(0, Vector3(-50, 100, 200), Vector3(100, 0, 0));
    placeBall(1, Vector3(50, 100, 200), Vector3(-100, 0, 0));

    advanceSimulation();

    // Answered at the sampled moment before touching: dt = 0.004, first touch at s = 0.3.
    EXPECT_EQ(usedBursts(), 1);
    EXPECT_VECTOR_NEAR(bursts[0].position, -20.4, 100, 200, 1e-9);
    EXPECT_VECTOR_NEAR(ballVelocities[0], -100, 0, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballVelocities[1], 100, 0, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballPositions[0], -50.8, 100, 200, 1e-9);
    EXPECT_VECTOR_NEAR(ballPositions[1], 50.8, 100, 200, 1e-9);
    EXPECT_EQ(soundCalls, 1);
    EXPECT_STREQ(lastSoundFile, "Explode.wav");
    EXPECT_EQ(lastStepPasses, 2);
}

TEST_F(SimulationTest, NoSoundWhenSwitchedOff) {
    soundEnabled = 0;
    ballCount = 2;
    placeBall(0, Vector3(-50, 100, 200), Vector3(100, 0, 0));
    placeBall(1, Vector3(50, 100, 200), Vector3(-100, 0, 0));

    advanceSimulation();

    EXPECT_EQ(soundCalls, 0);
    EXPECT_VECTOR_NEAR(ballVelocities[0], -100, 0, 0, 1e-9);
}

TEST_F(SimulationTest, CornerAnswersTheLaterPlaneFirst) {
    // Floor (plane 0) and the wall at -x (plane 2) are reached at the same moment, 0.5.
    timeStep = 0.5;
    ballCount = 1;
    placeBall(0, Vector3(-250, -250, 0), Vector3(-100, -100, 0));

    advanceSimulation();

    // The step ends at the corner: only the wall has been answered.
    EXPECT_EQ(usedBursts(), 1);
    EXPECT_VECTOR_NEAR(ballVelocities[0], 100, -100, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballPositions[0], -300, -300, 0, 1e-9);

    // The floor follows at time 0 of the next call's first pass.
    timeStep = 0.1;
    ballVelocities[0] = Vector3(100, -100, 0) - gravity * timeStep;
    advanceSimulation();

    EXPECT_EQ(usedBursts(), 2);
    EXPECT_VECTOR_NEAR(bursts[1].position, -300, -300, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballVelocities[0], 100, 100, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballPositions[0], -290, -290, 0, 1e-9);
    EXPECT_EQ(lastStepPasses, 2);
}

TEST_F(SimulationTest, CornerWithinOneCall) {
    ballCount = 1;
    placeBall(0, Vector3(-250, -250, 0), Vector3(-100, -100, 0));

    advanceSimulation();

    // Wall at 0.5, floor at time 0 of the next pass, then a pass with no event.
    EXPECT_EQ(lastStepPasses, 3);
    EXPECT_EQ(usedBursts(), 2);
    EXPECT_VECTOR_NEAR(ballVelocities[0], 100, 100, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballPositions[0], -290, -290, 0, 1e-9);
}

TEST_F(SimulationTest, SurfaceWinsATieWithAContact) {
    // Balls 0 and 1 overlap and approach: a contact at time 0. Ball 2 sits on the floor moving
    // into it: a surface event at time 0 as well.
    ballCount = 3;
    placeBall(0, Vector3(-19, 100, 200), Vector3(10, 0, 0));
    placeBall(1, Vector3(19, 100, 200), Vector3(-10, 0, 0));
    placeBall(2, Vector3(100, -300, -100), Vector3(0, -10, 0));

    advanceSimulation();

    // Pass 1: surface answered, sound already started. Pass 2: the pair again, sound again.
    EXPECT_EQ(lastStepPasses, 3);
    EXPECT_EQ(soundCalls, 2);
    EXPECT_EQ(usedBursts(), 2);
    EXPECT_VECTOR_NEAR(bursts[0].position, 100, -300, -100, 1e-9);
    EXPECT_VECTOR_NEAR(bursts[1].position, -19, 100, 200, 1e-9);
    EXPECT_VECTOR_NEAR(ballVelocities[2], 0, 10, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballVelocities[0], -10, 0, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballVelocities[1], 10, 0, 0, 1e-9);
}

TEST_F(SimulationTest, SeparatingOverlapIsNotAnswered) {
    // The pair is found touching at every first sample but moves apart: no contact, no sound,
    // and the call ends after one pass.
    ballCount = 2;
    placeBall(0, Vector3(-10, 100, 200), Vector3(-1, 0, 0));
    placeBall(1, Vector3(10, 100, 200), Vector3(1, 0, 0));

    advanceSimulation();

    EXPECT_EQ(lastStepPasses, 1);
    EXPECT_EQ(soundCalls, 0);
    EXPECT_EQ(usedBursts(), 0);
    EXPECT_VECTOR_NEAR(ballPositions[0], -10.6, 100, 200, 1e-12);
}

TEST_F(SimulationTest, DeepOverlapEnds) {
    // Deeper than one increment can separate: answered once at time 0, then left alone.
    ballCount = 2;
    placeBall(0, Vector3(-1, 100, 200), Vector3(5, 0, 0));
    placeBall(1, Vector3(1, 100, 200), Vector3(-5, 0, 0));

    advanceSimulation();

    EXPECT_EQ(lastStepPasses, 2);
    EXPECT_EQ(soundCalls, 1);
    EXPECT_VECTOR_NEAR(ballVelocities[0], -5, 0, 0, 1e-12);
    EXPECT_VECTOR_NEAR(ballPositions[0], -4, 100, 200, 1e-12);
}

struct TinyStepCase {
    const char* name;
    double step;
};

void PrintTo(const TinyStepCase& c, std::ostream* out) {
    *out << c.name;
}

class TinyStepTest : public SceneTest, public ::testing::WithParamInterface<TinyStepCase> {};

TEST_P(TinyStepTest, NothingMovesButTheSceneTurnsAndGravityActs) {
    timeStep = GetParam().step;
    Vector3 before[maxBalls];
    Vector3 velocity[maxBalls];
    for (int k = 0; k < ballCount; ++k) {
        before[k] = ballPositions[k];
        velocity[k] = ballVelocities[k] + gravity * timeStep;
    }

    advanceSimulation();

    EXPECT_EQ(lastStepPasses, 0);
    EXPECT_EQ(usedBursts(), 0);
    EXPECT_FLOAT_EQ(sceneAngle, 0.1f);
    for (int k = 0; k < ballCount; ++k) {
        EXPECT_EQ(std::memcmp(&ballPositions[k], &before[k], sizeof(Vector3)), 0) << k;
        EXPECT_EQ(ballVelocities[k].y(), velocity[k].y()) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TinyStepTest,
                         ::testing::Values(TinyStepCase{"AtTolerance", 1e-8},
                                           TinyStepCase{"Zero", 0.0},
                                           TinyStepCase{"Negative", -0.3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimulationTest, NegativeStepSlowsAFallingBall) {
    timeStep = -0.1;
    ballVelocities[0] = Vector3(0, -1, 0);
    advanceSimulation();
    EXPECT_DOUBLE_EQ(ballVelocities[0].y(), -0.995);
}

TEST_F(SimulationTest, SceneAngle) {
    sceneAngle = 359.95f;
    advanceSimulation();
    EXPECT_EQ(sceneAngle, 0.0f) << "360.05 is above 360";

    advanceSimulation();
    EXPECT_EQ(sceneAngle, 0.1f);

    followBall = 1;
    sceneAngle = 359.95f;
    advanceSimulation();
    EXPECT_EQ(sceneAngle, 359.95f);
}

TEST_F(SimulationTest, FullBurstPoolStillAnswersEvents) {
    for (Burst& burst : bursts) {
        burst.alpha = 0.5f;
        burst.position = Vector3(1, 2, 3);
    }
    ballCount = 1;
    placeBall(0, Vector3(-100, -250, 150), Vector3(0, -100, 0));

    advanceSimulation();

    EXPECT_VECTOR_NEAR(ballVelocities[0], 0, 100, 0, 1e-9);
    for (const Burst& burst : bursts) {
        EXPECT_EQ(burst.alpha, 0.5f);
        EXPECT_VECTOR_NEAR(burst.position, 1, 2, 3, 0);
    }
}

TEST_F(SimulationTest, SpawnBurstTakesTheFirstFreeSlot) {
    bursts[0].alpha = 0.2f;
    bursts[1].alpha = -0.1f;
    bursts[1].scale = 3.0f;
    spawnBurst(Vector3(4, 5, 6));
    EXPECT_EQ(bursts[0].alpha, 0.2f);
    EXPECT_EQ(bursts[1].alpha, 1.0f);
    EXPECT_EQ(bursts[1].scale, 1.0f);
    EXPECT_VECTOR_NEAR(bursts[1].position, 4, 5, 6, 0);
    EXPECT_EQ(bursts[2].alpha, 0.0f);
}

TEST_F(SimulationTest, FirstCallOfTheInitialSceneHasNoEvent) {
    Vector3 start[maxBalls];
    Vector3 expected[maxBalls];
    for (int k = 0; k < ballCount; ++k) {
        start[k] = ballPositions[k];
        expected[k] = ballPositions[k] + (ballVelocities[k] + gravity * timeStep) * timeStep;
    }

    advanceSimulation();

    EXPECT_EQ(lastStepPasses, 1);
    EXPECT_EQ(usedBursts(), 0);
    for (int k = 0; k < ballCount; ++k) {
        EXPECT_EQ(std::memcmp(&ballPositions[k], &expected[k], sizeof(Vector3)), 0) << k;
        EXPECT_EQ(std::memcmp(&previousPositions[k], &start[k], sizeof(Vector3)), 0) << k;
    }
}

TEST_F(SimulationTest, TooSlowToHaveADirectionMeetsNoSurface) {
    // On the floor, its velocity cancelled by this call's gravity: no hit, no move.
    ballCount = 1;
    placeBall(0, Vector3(0, -300, 150), Vector3(0, 0, 0));

    advanceSimulation();

    EXPECT_EQ(usedBursts(), 0);
    EXPECT_VECTOR_NEAR(ballPositions[0], 0, -300, 150, 0);
}

TEST_F(SimulationTest, PathTooShortToMoveMeetsNoSurface) {
    // Just beyond the floor and moving further out, too slowly to change a coordinate in this
    // step: the floor hit at a distance of about -5e-9 has no defined time and is ignored.
    timeStep = 1e-6;
    ballCount = 1;
    placeBall(0, Vector3(0, -300 - 5e-9, 150), Vector3(0, -2e-8, 0));
    const Vector3 before = ballPositions[0];

    advanceSimulation();

    EXPECT_EQ(lastStepPasses, 1);
    EXPECT_EQ(usedBursts(), 0);
    EXPECT_EQ(std::memcmp(&ballPositions[0], &before, sizeof(Vector3)), 0);
    EXPECT_NEAR(ballVelocities[0].y(), -2e-8, 1e-20);
}

TEST_F(SimulationTest, GrazingThePillarWhereItMeetsTheFloorStillBouncesOffTheFloor) {
    // Falling exactly where pillar 1 touches the floor: the pillar is grazed at the same moment
    // as the floor is reached and wins the tie, but its touch then slides and is not answered
    // again, so the floor turns the ball back instead of the call running out of passes.
    ballCount = 1;
    placeBall(0, Vector3(120, -250, 0), Vector3(0, -100, 0));

    advanceSimulation();

    EXPECT_EQ(lastStepPasses, 3);
    EXPECT_EQ(usedBursts(), 2);
    EXPECT_VECTOR_NEAR(ballPositions[0], 120, -290, 0, 1e-9);
    EXPECT_VECTOR_NEAR(ballVelocities[0], 0, 100, 0, 1e-9);
}

TEST_F(SimulationTest, PassCapEndsTheCallWithTheTentativeMoves) {
    // Inside the upright pillar with a huge time step: thousands of bounces off its inner wall
    // would fall within one call; the cap ends it and the last pass covers what is left.
    ballCount = 1;
    timeStep = 9000;
    gravity = Vector3(0, 0, 0);
    placeBall(0, Vector3(0, 0, 0), Vector3(100, 0, 30));

    advanceSimulation();

    EXPECT_EQ(lastStepPasses, maxStepPasses);
    EXPECT_TRUE(std::isfinite(ballPositions[0].x()) && std::isfinite(ballPositions[0].z()));
    EXPECT_GT(ballPositions[0].distance(previousPositions[0]), 0.0);
}

} // namespace
