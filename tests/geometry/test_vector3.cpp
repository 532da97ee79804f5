#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "geometry/vector3.h"

namespace {

std::string text(const Vector3& v) {
    std::ostringstream out;
    out << v;
    return out.str();
}

Vector3 normalized(double x, double y, double z) {
    Vector3 v(x, y, z);
    v.normalize();
    return v;
}

void expectVector(const Vector3& v, double x, double y, double z, VectorStatus status) {
    EXPECT_EQ(v.status_, status);
    EXPECT_DOUBLE_EQ(v.x(), x);
    EXPECT_DOUBLE_EQ(v.y(), y);
    EXPECT_DOUBLE_EQ(v.z(), z);
}

TEST(Vector3, ZeroToleranceIsTheDoubleNearestOneE8) {
    EXPECT_EQ(zeroTolerance, 1e-8);
}

TEST(Vector3, DefaultIsInvalidZero) {
    const Vector3 v;
    expectVector(v, 0, 0, 0, Invalid);
    EXPECT_FALSE(v.isValid());
    EXPECT_EQ(v.length(), 0.0);
    EXPECT_EQ(text(v), "Invalid");
}

TEST(Vector3, LengthByStatus) {
    EXPECT_EQ(Vector3(3, 4, 0).length(), 5.0);
    EXPECT_EQ(Vector3(3, 4, 0).markGeneral().length(), 5.0);
    // Normalized answers 1 without computing, even for the zero vector it may hold.
    EXPECT_EQ(normalized(1e-9, 0, 0).length(), 1.0);
    Vector3 stretched = normalized(1, 0, 0);
    stretched.x_ = 7; // a Normalized tag is trusted
    EXPECT_EQ(stretched.length(), 1.0);
}

TEST(Vector3, NormalizeAtAndBelowTolerance) {
    struct Case {
        Vector3 in;
        double x, y, z;
    } cases[] = {
        {Vector3(3, 4, 0), 0.6, 0.8, 0},
        {Vector3(1e-8, 0, 0), 1, 0, 0}, // a length equal to the tolerance passes
        {Vector3(1e-9, 0, 0), 0, 0, 0},
        {Vector3(0, 0, 0), 0, 0, 0},
        {Vector3(std::nan(""), 1, 1), 0, 0, 0},
        {Vector3(0, -2, 0), 0, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(text(c.in));
        Vector3 v = c.in;
        Vector3& self = v.normalize();
        EXPECT_EQ(&self, &v);
        expectVector(v, c.x, c.y, c.z, Normalized);
        const Vector3 again = v;
        v.normalize(); // a second normalisation changes nothing
        expectVector(v, again.x(), again.y(), again.z(), Normalized);
    }
    Vector3 invalid;
    invalid.normalize();
    EXPECT_EQ(invalid.status_, Invalid);
    EXPECT_EQ(text(normalized(3, 4, 0)), "<0.6,0.8,0>");
}

TEST(Vector3, MarkGeneralOnlyTouchesNormalized) {
    EXPECT_EQ(normalized(1, 0, 0).markGeneral().status_, General);
    EXPECT_EQ(Vector3(1, 0, 0).markGeneral().status_, General);
    Vector3 invalid;
    EXPECT_EQ(invalid.markGeneral().status_, Invalid);
}

// Every operation of the kernel, applied with an Invalid operand, yields the Invalid zero vector.
TEST(Vector3, InvalidPropagatesThroughEveryOperation) {
    const Vector3 bad;
    const Vector3 good(1, 2, 3);
    Vector3 out(9, 9, 9);
    const Vector3 results[] = {
        good + bad,
        bad + good,
        good - bad,
        bad - good,
        bad * 2.0,
        -bad,
        unit(bad),
        add(good, bad, out),
        subtract(bad, good, out),
        scale(bad, 3, out),
        negate(bad, out),
        cross(good, bad, out),
        cross(bad, good, out),
        unit(bad, out),
    };
    for (const Vector3& r : results) {
        expectVector(r, 0, 0, 0, Invalid);
    }
    EXPECT_EQ(good.dot(bad), 0.0);
    EXPECT_EQ(dot(bad, good), 0.0);
    EXPECT_EQ(good.distance(bad), 0.0);
    EXPECT_EQ(bad.distance(good), 0.0);
    Vector3 v = good;
    v += bad;
    expectVector(v, 0, 0, 0, Invalid);
}

TEST(Vector3, ArithmeticResultsAndStatuses) {
    const Vector3 a(1, 2, 3);
    const Vector3 b(-4, 0.5, 2);
    const Vector3 n = normalized(0, 0, 2);
    expectVector(a + b, -3, 2.5, 5, General);
    expectVector(a - b, 5, 1.5, 1, General);
    expectVector(a * 2.0, 2, 4, 6, General);
    expectVector(n * 1.0, 0, 0, 1, General); // scaling is General even by 1
    expectVector(n * -1.0, 0, 0, -1, General);
    expectVector(-n, 0, 0, -1, Normalized); // negation keeps the status
    expectVector(-a, -1, -2, -3, General);
    expectVector(n + n, 0, 0, 2, General);
    Vector3 c;
    expectVector(cross(Vector3(1, 0, 0), Vector3(0, 1, 0), c), 0, 0, 1, General);
    expectVector(cross(a, b, c), 2.5, -14, 8.5, General);
    EXPECT_EQ(a.dot(b), (1 * -4 + 2 * 0.5) + 3 * 2);
    EXPECT_EQ(dot(a, b), a.dot(b));
    EXPECT_EQ(Vector3(1, 1, 1).distance(Vector3(4, 5, 1)), 5.0);
    expectVector(unit(Vector3(0, 3, 4)), 0, 0.6, 0.8, Normalized);
    const Vector3 plain(0, 3, 4);
    (void)unit(plain);
    EXPECT_EQ(plain.status_, General); // unit copies, it does not touch its operand
}

TEST(Vector3, OutArgumentFormsAllowTheResultToBeAnOperand) {
    Vector3 v(1, 2, 3);
    EXPECT_EQ(&add(v, v, v), &v);
    expectVector(v, 2, 4, 6, General);
    subtract(v, Vector3(1, 1, 1), v);
    expectVector(v, 1, 3, 5, General);
    scale(v, -2, v);
    expectVector(v, -2, -6, -10, General);
    negate(v, v);
    expectVector(v, 2, 6, 10, General);
    v += v;
    expectVector(v, 4, 12, 20, General);
    Vector3 w(0, 1, 0);
    cross(Vector3(1, 0, 0), w, w);
    expectVector(w, 0, 0, 1, General);
    Vector3 u(0, 0, 5);
    unit(u, u);
    expectVector(u, 0, 0, 1, Normalized);
}

TEST(Vector3, PrintsWithTheStreamsDefaultFormatting) {
    struct Case {
        Vector3 v;
        const char* written;
    } cases[] = {
        {Vector3(1, 2.5, -3), "[1,2.5,-3]"},
        {normalized(1, 0, 0), "<1,0,0>"},
        {Vector3(), "Invalid"},
        {Vector3(1e-20, 123456789, 0.1), "[1e-20,1.23457e+08,0.1]"},
        {normalized(0, 0, 0), "<0,0,0>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(c.v), c.written);
    }
}

TEST(Vector3, ReadsTextForms) {
    struct Case {
        const char* text;
        double x, y, z;
        VectorStatus status;
        const char* rest; // what the read leaves unconsumed
    } cases[] = {
        {"<3,4,0>", 0.6, 0.8, 0, Normalized, ""},
        {"[3,4,0]", 3, 4, 0, General, ""},
        {"(3;4;0)", 3, 4, 0, General, ""},
        {"[ 1 , 2 , 3 ]", 1, 2, 3, General, ""},
        {"  \n[1,2,3]tail", 1, 2, 3, General, "tail"},
        {"Invalid", 0, 0, 0, Invalid, ""},
        {"Invalid[1,2,3]", 0, 0, 0, Invalid, "[1,2,3]"},
        {"<0,0,0>", 0, 0, 0, Normalized, ""},
        {"x-1.5e2|2|0.25x", -150, 2, 0.25, General, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::istringstream in(c.text);
        Vector3 v(7, 7, 7);
        in >> v;
        EXPECT_FALSE(in.fail());
        expectVector(v, c.x, c.y, c.z, c.status);
        std::string rest;
        std::getline(in, rest);
        EXPECT_EQ(rest, c.rest);
    }
}

TEST(Vector3, InvalidTextDiscardsAtMostNineteenCharactersBeforeTheD) {
    // "I" then 19 arbitrary characters: the 20th character is taken as the closing one.
    std::istringstream in("I1234567890123456789Xrest");
    Vector3 v(1, 1, 1);
    in >> v;
    EXPECT_EQ(v.status_, Invalid);
    std::string rest;
    in >> rest;
    EXPECT_EQ(rest, "rest");
}

TEST(Vector3, FailedReadIsSignalledByTheStream) {
    const char* texts[] = {"", "[1,2", "[a,b,c]", "<1,2,", "Inval"};
    for (const char* t : texts) {
        SCOPED_TRACE(t);
        std::istringstream in(t);
        Vector3 v;
        in >> v;
        EXPECT_TRUE(in.fail());
    }
}

// Writes many values of every status at full precision and reads them back.
TEST(Vector3, SeededSweepRoundTripsEveryStatus) {
    unsigned long long state = 0x9E3779B97F4A7C15ull;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    auto number = [&] {
        const int exponent = static_cast<int>(next() % 40) - 20;
        const double mantissa = static_cast<double>(next() % 2000001) / 1000000.0 - 1.0;
        return std::ldexp(mantissa, exponent);
    };
    for (int i = 0; i < 5000; ++i) {
        Vector3 v;
        const int kind = static_cast<int>(next() % 3);
        if (kind != 0) {
            v = Vector3(number(), number(), number());
        }
        if (kind == 2) {
            v.normalize();
        }
        std::ostringstream out;
        out.precision(std::numeric_limits<double>::max_digits10);
        out << v << ' ';
        std::istringstream in(out.str());
        Vector3 back(5, 5, 5);
        in >> back;
        ASSERT_FALSE(in.fail()) << out.str();
        ASSERT_EQ(back.status_, v.status_) << out.str();
        if (kind == 2) {
            // Read back Normalized, so normalised afresh: equal up to rounding.
            EXPECT_NEAR(back.x(), v.x(), 1e-15) << out.str();
            EXPECT_NEAR(back.y(), v.y(), 1e-15) << out.str();
            EXPECT_NEAR(back.z(), v.z(), 1e-15) << out.str();
        } else {
            EXPECT_EQ(back.x(), v.x()) << out.str();
            EXPECT_EQ(back.y(), v.y()) << out.str();
            EXPECT_EQ(back.z(), v.z()) << out.str();
        }
    }
}

TEST(Vector3, DefaultPrecisionRoundTripKeepsSixDigits) {
    const Vector3 v(1.0 / 3.0, -2.0 / 3.0, 12345.678);
    std::istringstream in(text(v));
    Vector3 back;
    in >> back;
    EXPECT_EQ(text(back), "[0.333333,-0.666667,12345.7]");
}

} // namespace
