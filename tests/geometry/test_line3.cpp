#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "geometry/line3.h"

namespace {

Vector3 dir(double x, double y, double z) {
    Vector3 v(x, y, z);
    v.normalize();
    return v;
}

std::string text(const Line3& line) {
    std::ostringstream out;
    out << line;
    return out.str();
}

void expectNear(const Vector3& v, double x, double y, double z) {
    EXPECT_NEAR(v.x(), x, 1e-12);
    EXPECT_NEAR(v.y(), y, 1e-12);
    EXPECT_NEAR(v.z(), z, 1e-12);
}

TEST(Line3, DefaultIsInvalidAndAnswersZero) {
    const Line3 line;
    EXPECT_FALSE(line.isValid());
    EXPECT_EQ(text(line), "Invalid");
    EXPECT_EQ(line.distance(Vector3(1, 2, 3)), 0.0);
    EXPECT_EQ(line.distance(Line3(Vector3(0, 0, 0), dir(1, 0, 0))), 0.0);
    EXPECT_EQ(Line3(Vector3(0, 0, 0), dir(1, 0, 0)).distance(line), 0.0);
}

TEST(Line3, ConstructionFromPointAndSecondVector) {
    const Line3 twoPoints(Vector3(0, 0, 0), Vector3(0, 0, 5));
    EXPECT_TRUE(twoPoints.isValid());
    EXPECT_EQ(twoPoints.direction().status_, Normalized);
    expectNear(twoPoints.direction(), 0, 0, 1);

    // An already Normalized second vector is the direction, whatever the point.
    const Line3 pointAndDirection(Vector3(7, 8, 9), dir(0, 1, 0));
    expectNear(pointAndDirection.direction(), 0, 1, 0);
    expectNear(pointAndDirection.point(), 7, 8, 9);

    const Line3 coincident(Vector3(1, 1, 1), Vector3(1, 1, 1));
    EXPECT_TRUE(coincident.isValid());
    expectNear(coincident.direction(), 0, 0, 0);
    EXPECT_EQ(coincident.distance(Vector3(4, 5, 1)), 5.0); // behaves as its point

    EXPECT_FALSE(Line3(Vector3(), Vector3(1, 2, 3)).isValid());
    EXPECT_FALSE(Line3(Vector3(), dir(1, 0, 0)).isValid()); // Normalized direction, no point
}

TEST(Line3, ClosestPointsOfSkewAndParallelLines) {
    struct Case {
        const char* name;
        Line3 first, second;
        Vector3 onThis, onOther;
        double distance;
    } cases[] = {
        {"skew", Line3(Vector3(0, 0, 0), dir(1, 0, 0)), Line3(Vector3(5, 3, 2), dir(0, 1, 0)),
         Vector3(5, 0, 0), Vector3(5, 0, 2), 2},
        {"parallel, opposite", Line3(Vector3(0, 0, 0), dir(1, 0, 0)),
         Line3(Vector3(3, 2, 0), dir(-1, 0, 0)), Vector3(0, 0, 0), Vector3(0, 2, 0), 2},
        {"parallel, same way", Line3(Vector3(1, 0, 0), dir(0, 0, 1)),
         Line3(Vector3(4, 4, 9), dir(0, 0, 1)), Vector3(1, 0, 0), Vector3(4, 4, 0), 5},
        {"crossing", Line3(Vector3(-1, 0, 0), dir(1, 0, 0)), Line3(Vector3(0, -1, 0), dir(0, 1, 0)),
         Vector3(0, 0, 0), Vector3(0, 0, 0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Vector3 onThis;
        Vector3 onOther;
        ASSERT_TRUE(c.first.closestPoints(c.second, onThis, onOther));
        expectNear(onThis, c.onThis.x(), c.onThis.y(), c.onThis.z());
        expectNear(onOther, c.onOther.x(), c.onOther.y(), c.onOther.z());
        EXPECT_EQ(onOther.status_, General);
        EXPECT_NEAR(c.first.distance(c.second), c.distance, 1e-12);
    }
    const Vector3 mid(Line3(Vector3(0, 0, 0), dir(1, 0, 0)), Line3(Vector3(5, 3, 2), dir(0, 1, 0)));
    EXPECT_EQ(mid.status_, General);
    expectNear(mid, 5, 0, 1);
}

TEST(Line3, NearlyParallelDirectionsAreTreatedAsParallel) {
    // |1 - k*k| < 1e-8 takes the parallel branch: the near point on this line is its own point.
    const Line3 a(Vector3(10, 0, 0), dir(1, 0, 0));
    const Line3 b(Vector3(0, 1, 0), dir(1, 3e-5, 0)); // 1 - k^2 is about 9e-10
    Vector3 onThis;
    Vector3 onOther;
    ASSERT_TRUE(a.closestPoints(b, onThis, onOther));
    EXPECT_EQ(onThis.x(), 10.0);
    EXPECT_EQ(onThis.y(), 0.0);
    EXPECT_NEAR(onOther.x(), 10.0, 1e-6);
    EXPECT_TRUE(std::isfinite(onOther.y()));
}

TEST(Line3, FailedClosestPointsLeavesOutputsAndGivesInvalidMidpoint) {
    const Line3 good(Vector3(0, 0, 0), dir(1, 0, 0));
    const Line3 bad;
    Vector3 onThis(1, 2, 3);
    Vector3 onOther(4, 5, 6);
    EXPECT_FALSE(good.closestPoints(bad, onThis, onOther));
    EXPECT_FALSE(bad.closestPoints(good, onThis, onOther));
    EXPECT_EQ(onThis.x(), 1.0);
    EXPECT_EQ(onOther.z(), 6.0);
    EXPECT_EQ(Vector3(good, bad).status_, Invalid);
}

TEST(Line3, DistanceOfAPoint) {
    const Line3 xAxis(Vector3(0, 0, 0), dir(1, 0, 0));
    EXPECT_EQ(xAxis.distance(Vector3(3, 4, 0)), 4.0);
    EXPECT_EQ(xAxis.distance(Vector3(-8, 0, 0)), 0.0);
    EXPECT_EQ(xAxis.distance(Vector3()), 0.0);
}

TEST(Line3, TextForms) {
    struct Case {
        const char* in;
        bool valid;
        const char* written;
    } cases[] = {
        {"(P=[1,2,3],V=<0,0,1>)", true, "(P=[1,2,3],V=<0,0,1>)"},
        {"(P=[1,2,3],V=<0,0,5>)", true, "(P=[1,2,3],V=<0,0,1>)"}, // normalised afresh
        {"(P=[1,2,3],V=[0,0,5])", false, "Invalid"},
        {"Invalid", false, "Invalid"},
        {" ( P = < 1 , 0 , 0 > , V = < 0 , 3 , 4 > ) ", true, "(P=<1,0,0>,V=<0,0.6,0.8>)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        std::istringstream in(c.in);
        Line3 line(Vector3(9, 9, 9), dir(1, 0, 0));
        in >> line;
        EXPECT_FALSE(in.fail());
        EXPECT_EQ(line.isValid(), c.valid);
        EXPECT_EQ(text(line), c.written);
    }
    std::istringstream in("Invalid!");
    Line3 line(Vector3(9, 9, 9), dir(1, 0, 0));
    in >> line;
    EXPECT_EQ(line.point().status_, Invalid);
    EXPECT_EQ(in.get(), '!'); // all seven characters consumed, nothing more

    std::istringstream truncated("(P=[1,2,3],V=<0,");
    truncated >> line;
    EXPECT_TRUE(truncated.fail());
}

} // namespace
