// Long and random runs of the step: every call ends, values stay finite, the room holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "scene_fixture.h"

namespace {

bool finite(const Vector3& v) {
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

double uniform(std::mt19937_64& rng, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
}

int pick(std::mt19937_64& rng, int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(rng);
}

Vector3 randomVector(std::mt19937_64& rng, double size) {
    return Vector3(uniform(rng, -size, size), uniform(rng, -size, size), uniform(rng, -size, size));
}

// A scene of the awkward kinds: balls on planes and pillars, in corners, inside pillars,
// overlapping or coinciding, at rest, crawling, with equal velocities.
void makeRandomScene(std::mt19937_64& rng) {
    setUpSceneValues();
    ballCount = 1 + pick(rng, maxBalls);
    const double steps[] = {0.6, 0.6, 0.1, 1e-8, 2.5, -0.4};
    timeStep = steps[pick(rng, 6)];
    for (int k = 0; k < ballCount; ++k) {
        Vector3 p(uniform(rng, -300, 300), uniform(rng, -300, 400), uniform(rng, -300, 300));
        switch (pick(rng, 7)) {
        case 0:
            break;
        case 1: { // on a plane
            const BoundaryPlane& plane = planes[pick(rng, planeCount)];
            p = p - plane.normal * dot(plane.normal, p - plane.point);
            break;
        }
        case 2: // in a corner of the floor
            p = Vector3(pick(rng, 2) ? 300 : -300, -300, pick(rng, 2) ? 300 : -300);
            break;
        case 3: { // inside a pillar, or exactly on its surface
            const Pillar& pillar = pillars[pick(rng, pillarCount)];
            Vector3 radial = randomVector(rng, 1);
            radial = unit(radial - pillar.direction * dot(radial, pillar.direction));
            const double r = pick(rng, 2) ? pillar.radius : uniform(rng, 0, pillar.radius);
            p = pillar.point + pillar.direction * uniform(rng, -200, 200) + radial * r;
            break;
        }
        case 4: // on or near an earlier ball
            if (k > 0) {
                p = ballPositions[pick(rng, k)] + randomVector(rng, pick(rng, 2) ? 0.0 : 30.0);
            }
            break;
        case 5: // outside the room
            p = Vector3(uniform(rng, -500, 500), uniform(rng, -300, 500), uniform(rng, -500, 500));
            break;
        default: // on the pillar-floor crease
            p = Vector3(pick(rng, 2) ? 120 : 280, -300, uniform(rng, -300, 300));
            break;
        }
        ballPositions[k] = p;

        Vector3 v = randomVector(rng, 20);
        switch (pick(rng, 6)) {
        case 0:
            if (k > 0) {
                v = ballVelocities[k - 1];
            }
            break;
        case 1:
            v = Vector3(0, 0, 0);
            break;
        case 2:
            v = randomVector(rng, 1e-8);
            break;
        case 3:
            v = Vector3(0, -uniform(rng, 0, 100), 0);
            break;
        case 4:
            v = randomVector(rng, 500);
            break;
        default:
            break;
        }
        ballVelocities[k] = v;
    }
}

using SoakTest = SceneTest;

TEST_F(SoakTest, RandomScenesEndEveryCallWithFiniteValues) {
    const int scenes = 300;
    const int calls = 200;
    for (int seed = 0; seed < scenes; ++seed) {
        std::mt19937_64 rng(static_cast<std::uint64_t>(seed));
        makeRandomScene(rng);
        soundEnabled = seed % 2;
        for (int call = 0; call < calls; ++call) {
            advanceSimulation();
            ASSERT_LE(lastStepPasses, maxStepPasses);
            for (int k = 0; k < ballCount; ++k) {
                ASSERT_TRUE(finite(ballPositions[k]) && finite(ballVelocities[k]) &&
                            finite(previousPositions[k]))
                    << "seed " << seed << " call " << call << " ball " << k;
            }
            for (const Burst& burst : bursts) {
                ASSERT_TRUE(burst.alpha <= 0.0f || finite(burst.position)) << "seed " << seed;
            }
            // Let the bursts fade as the drawing would, so that events keep spawning them.
            for (Burst& burst : bursts) {
                burst.alpha -= 0.05f;
            }
        }
    }
}

double signedDistance(const BoundaryPlane& plane, const Vector3& p) {
    return dot(plane.normal, p - plane.point);
}

double axisDistance(const Pillar& pillar, const Vector3& p) {
    const Vector3 w = p - pillar.point;
    return (w - pillar.direction * dot(w, pillar.direction)).length();
}

// Kinetic energy plus gravity's potential above the floor plane, for unit masses.
double energy(int k) {
    return 0.5 * dot(ballVelocities[k], ballVelocities[k]) -
           dot(gravity, ballPositions[k] - planes[0].point);
}

TEST_F(SoakTest, InitialSceneKeepsItsBallsInsideTheirSurfaces) {
    // About 1 s in a release build, 15 s with the sanitizers.
    const int calls = 300000;
    // Which side each ball starts on: ball 3 starts behind plane 4 and ball 4 on it.
    bool insidePlane[maxBalls][planeCount];
    bool outsidePillar[maxBalls][pillarCount];
    double total = 0.0;
    for (int k = 0; k < ballCount; ++k) {
        for (int s = 0; s < planeCount; ++s) {
            insidePlane[k][s] = signedDistance(planes[s], ballPositions[k]) >= 0.0;
        }
        for (int s = 0; s < pillarCount; ++s) {
            outsidePillar[k][s] = axisDistance(pillars[s], ballPositions[k]) >= pillars[s].radius;
        }
        total += energy(k);
    }
    ASSERT_FALSE(insidePlane[3][4]);
    ASSERT_TRUE(insidePlane[4][4]);

    // Bounces and contacts keep the energy, and gravity applied once a call gives back what the
    // fall takes, up to a drift of order |gravity| * timeStep * speed at each floor bounce
    // (about 5 % over a million calls). With every ball above the floor, the bound on the sum
    // also bounds each ball's speed.
    const double bound = total * 1.1;
    int maxPasses = 0;
    for (int call = 0; call < calls; ++call) {
        advanceSimulation();
        maxPasses = std::max(maxPasses, lastStepPasses);
        double sum = 0.0;
        for (int k = 0; k < ballCount; ++k) {
            const Vector3& p = ballPositions[k];
            for (int s = 0; s < planeCount; ++s) {
                if (insidePlane[k][s]) {
                    ASSERT_GE(signedDistance(planes[s], p), -1e-6)
                        << "ball " << k << " through plane " << s << " at call " << call;
                }
            }
            for (int s = 0; s < pillarCount; ++s) {
                if (outsidePillar[k][s]) {
                    ASSERT_GE(axisDistance(pillars[s], p), pillars[s].radius - 1e-6)
                        << "ball " << k << " into pillar " << s << " at call " << call;
                }
            }
            sum += energy(k);
        }
        ASSERT_LE(sum, bound) << "call " << call;
        for (Burst& burst : bursts) {
            burst.alpha -= 0.05f;
        }
    }
    EXPECT_LT(maxPasses, maxStepPasses);
}

// FNV-1a over the bit patterns of every position and velocity.
std::uint64_t sceneHash() {
    std::uint64_t hash = 14695981039346656037ull;
    auto mix = [&hash](double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int b = 0; b < 8; ++b) {
            hash ^= (bits >> (8 * b)) & 0xffu;
            hash *= 1099511628211ull;
        }
    };
    for (int k = 0; k < ballCount; ++k) {
        for (const Vector3* v : {&ballPositions[k], &ballVelocities[k]}) {
            mix(v->x());
            mix(v->y());
            mix(v->z());
        }
    }
    return hash;
}

TEST_F(SoakTest, InitialSceneGivesTheSameNumbersEveryTime) {
    for (int call = 0; call < 20000; ++call) {
        advanceSimulation();
        for (Burst& burst : bursts) {
            burst.alpha -= 0.05f;
        }
    }
    EXPECT_EQ(sceneHash(), 0x3ff92eaa5961a872ull) << std::hex << sceneHash();
}

} // namespace
