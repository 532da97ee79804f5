#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

#include "physics/hit_tests.h"

namespace {

const BoundaryPlane floorPlane{Vector3(0, -300, 0), Vector3(0, 1, 0)};
const Pillar upright{Vector3(0, 0, 0), Vector3(0, 1, 0), 80.0};
const Pillar slanted{Vector3(-200, 0, 0), unit(Vector3(0, 1, 1)), 50.0};

// What the outputs hold before a test; a miss must leave them so.
const double untouchedDistance = -12345.0;
const Vector3 untouchedVector(7, 7, 7);

struct Expected {
    double distance;
    Vector3 normal;
    Vector3 point;
};

void expectNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
    EXPECT_NEAR(actual.z(), expected.z(), 1e-9);
}

void expectUntouched(double distance, const Vector3& normal) {
    EXPECT_EQ(distance, untouchedDistance);
    EXPECT_EQ(normal.x(), 7.0);
    EXPECT_EQ(normal.y(), 7.0);
    EXPECT_EQ(normal.z(), 7.0);
}

struct PlaneCase {
    const char* name;
    Vector3 origin;
    Vector3 direction;
    std::optional<double> distance;
};

void PrintTo(const PlaneCase& c, std::ostream* out) {
    *out << c.name;
}

class HitPlaneTest : public ::testing::TestWithParam<PlaneCase> {};

TEST_P(HitPlaneTest, DistanceAndNormalOrMiss) {
    const PlaneCase& c = GetParam();
    double distance = untouchedDistance;
    Vector3 normal = untouchedVector;
    const bool hit = hitPlane(floorPlane, c.origin, c.direction, distance, normal);
    ASSERT_EQ(hit, c.distance.has_value());
    if (!hit) {
        expectUntouched(distance, normal);
        return;
    }
    EXPECT_NEAR(distance, *c.distance, 1e-12);
    // The stored normal, whichever side the path comes from.
    EXPECT_EQ(normal.x(), 0.0);
    EXPECT_EQ(normal.y(), 1.0);
    EXPECT_EQ(normal.z(), 0.0);
    EXPECT_TRUE(normal.isGeneral());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HitPlaneTest,
    ::testing::Values(
        PlaneCase{"Down", Vector3(0, 0, 0), Vector3(0, -1, 0), 300.0},
        PlaneCase{"Parallel", Vector3(0, 0, 0), Vector3(1, 0, 0), std::nullopt},
        PlaneCase{"OnPlaneMovingAway", Vector3(0, -300, 0), Vector3(0, 1, 0), 0.0},
        PlaneCase{"OnPlaneMovingIn", Vector3(0, -300, 0), Vector3(0, -1, 0), 0.0},
        PlaneCase{"JustBeyondMovingAway", Vector3(0, -300 + 5e-9, 0), Vector3(0, 1, 0), -5e-9},
        PlaneCase{"TooFarBeyond", Vector3(0, -300 + 1e-7, 0), Vector3(0, 1, 0), std::nullopt},
        PlaneCase{"FromBehind", Vector3(0, -400, 0), Vector3(0, 1, 0), 100.0},
        PlaneCase{"AwayFromBehind", Vector3(0, -400, 0), Vector3(0, -1, 0), std::nullopt},
        // |D.N| of exactly 1e-8 is not parallel; just below it is.
        PlaneCase{"SlopeAtTolerance", Vector3(0, -301, 0), Vector3(1, 1e-8, 0), 1e8},
        PlaneCase{"SlopeBelowTolerance", Vector3(0, -301, 0), Vector3(1, 0.99e-8, 0), std::nullopt},
        PlaneCase{"ZeroDirection", Vector3(0, 0, 0), unit(Vector3(0, 1e-9, 0)), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct PillarCase {
    const char* name;
    const Pillar* pillar;
    Vector3 origin;
    Vector3 direction;
    std::optional<Expected> expected;
};

void PrintTo(const PillarCase& c, std::ostream* out) {
    *out << c.name;
}

class HitPillarTest : public ::testing::TestWithParam<PillarCase> {};

TEST_P(HitPillarTest, DistanceNormalAndPointOrMiss) {
    const PillarCase& c = GetParam();
    double distance = untouchedDistance;
    Vector3 normal = untouchedVector;
    Vector3 point = untouchedVector;
    const bool hit = hitPillar(*c.pillar, c.origin, c.direction, distance, normal, point);
    ASSERT_EQ(hit, c.expected.has_value());
    if (!hit) {
        expectUntouched(distance, normal);
        expectUntouched(distance, point);
        return;
    }
    EXPECT_NEAR(distance, c.expected->distance, 1e-9);
    expectNear(normal, c.expected->normal);
    expectNear(point, c.expected->point);
    EXPECT_TRUE(normal.isNormalized());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HitPillarTest,
    ::testing::Values(
        PillarCase{"Entry", &upright, Vector3(200, 0, 0), Vector3(-1, 0, 0),
                   Expected{120, Vector3(1, 0, 0), Vector3(80, 0, 0)}},
        PillarCase{"Grazing", &upright, Vector3(200, 0, 80), Vector3(-1, 0, 0),
                   Expected{200, Vector3(0, 0, 1), Vector3(0, 0, 80)}},
        PillarCase{"JustOutsideGrazing", &upright, Vector3(200, 0, 80.001), Vector3(-1, 0, 0),
                   std::nullopt},
        PillarCase{"ExitFromInside", &upright, Vector3(0, 0, 0), Vector3(1, 0, 0),
                   Expected{80, Vector3(1, 0, 0), Vector3(80, 0, 0)}},
        // The caller drops this one: the ball leaves the surface it is on.
        PillarCase{"OnSurfaceMovingOut", &upright, Vector3(80, 0, 0), Vector3(1, 0, 0),
                   Expected{0, Vector3(1, 0, 0), Vector3(80, 0, 0)}},
        PillarCase{"BothRootsBehind", &upright, Vector3(200, 0, 0), Vector3(1, 0, 0), std::nullopt},
        PillarCase{"ParallelInside", &upright, Vector3(10, 0, 0), Vector3(0, 1, 0), std::nullopt},
        PillarCase{"ParallelOutside", &upright, Vector3(200, 0, 0), Vector3(0, -1, 0),
                   std::nullopt},
        PillarCase{"ZeroDirection", &upright, Vector3(200, 0, 0), unit(Vector3(1e-9, 0, 0)),
                   std::nullopt},
        // Oblique to the path: the chord is longer than the radius suggests.
        PillarCase{"Slanted", &slanted, Vector3(0, 0, 0), Vector3(-1, 0, 0),
                   Expected{150, Vector3(1, 0, 0), Vector3(-150, 0, 0)}},
        PillarCase{"SlantedAlongYz", &slanted, Vector3(-200, 100, 0), Vector3(0, -1, 0),
                   Expected{100 - 50 * 1.4142135623730951, unit(Vector3(0, 1, -1)),
                            Vector3(-200, 50 * 1.4142135623730951, 0)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HitPillarTest, ObliquePathHitsTheSurfaceAtTheRadius) {
    // A path that crosses the axis at an angle: the hit point lies on the cylinder.
    const Vector3 origin(300, 40, -120);
    const Vector3 direction = unit(Vector3(-3, -1, 2));
    double distance = 0;
    Vector3 normal;
    Vector3 point;
    ASSERT_TRUE(hitPillar(upright, origin, direction, distance, normal, point));
    EXPECT_NEAR(std::hypot(point.x(), point.z()), 80.0, 1e-9);
    expectNear(point, origin + direction * distance);
    expectNear(normal, unit(Vector3(point.x(), 0, point.z())));
    EXPECT_LT(dot(direction, normal), 0.0);
}

} // namespace
