// Puts the scene back to its initial values before every test and counts the collision sounds
// instead of playing them.
#pragma once

#include <gtest/gtest.h>

#include "physics/scene.h"
#include "physics/simulation.h"

inline int soundCalls = 0;
inline const char* lastSoundFile = nullptr;

inline bool countSound(const char* fileName) {
    ++soundCalls;
    lastSoundFile = fileName;
    return true;
}

class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setUpSceneValues();
        for (Vector3& p : previousPositions) {
            p = Vector3();
        }
        timeStep = 0.6;
        gravity = Vector3(0, -0.05, 0);
        sceneAngle = 0.0f;
        soundEnabled = 1;
        followBall = 0;
        lastStepPasses = 0;
        soundCalls = 0;
        lastSoundFile = nullptr;
        savedPlayer_ = collisionSoundPlayer;
        collisionSoundPlayer = &countSound;
    }

    void TearDown() override { collisionSoundPlayer = savedPlayer_; }

    /// Places ball k so that its velocity is v once the step has added its gravity.
    static void placeBall(int k, const Vector3& position, const Vector3& v) {
        ballPositions[k] = position;
        ballVelocities[k] = v - gravity * timeStep;
    }

    static int usedBursts() {
        int used = 0;
        for (const Burst& burst : bursts) {
            used += burst.alpha > 0.0f ? 1 : 0;
        }
        return used;
    }

  private:
    bool (*savedPlayer_)(const char*) = nullptr;
};

#define EXPECT_VECTOR_NEAR(actual, ex, ey, ez, tolerance)                                          \
    do {                                                                                           \
        const Vector3 v_ = (actual);                                                               \
        EXPECT_NEAR(v_.x(), (ex), (tolerance));                                                    \
        EXPECT_NEAR(v_.y(), (ey), (tolerance));                                                    \
        EXPECT_NEAR(v_.z(), (ez), (tolerance));                                                    \
    } while (0)
