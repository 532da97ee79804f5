#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include "geometry/matrix3.h"

namespace {

std::string text(const Matrix3& a) {
    std::ostringstream out;
    out << a;
    return out.str();
}

void expectMatrixNear(const Matrix3& a, const Matrix3& b, double tolerance) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_NEAR(a.m[i][j], b.m[i][j], tolerance) << "[" << i << "][" << j << "]";
        }
    }
}

const Matrix3 sample(2, -1, 0.5, 4, 3, -2, 1, 0.25, 5);

TEST(Matrix3, DefaultIsTheIdentity) {
    const Matrix3 a;
    EXPECT_EQ(a.determinant(), 1.0);
    EXPECT_EQ(text(a), "(1,0,0)\n(0,1,0)\n(0,0,1)\n");
}

TEST(Matrix3, RotationFromThreeAngles) {
    expectMatrixNear(Matrix3(0.0, 0.0, 0.0), Matrix3(), 0.0);
    const Vector3 turned = Matrix3(0.0, 0.0, std::numbers::pi / 2) * Vector3(1, 0, 0);
    EXPECT_EQ(turned.status_, General);
    EXPECT_NEAR(turned.x(), 0.0, 1e-15);
    EXPECT_NEAR(turned.y(), 1.0, 1e-15);
    EXPECT_NEAR(turned.z(), 0.0, 1e-15);

    // Rx(ax) Ry(ay) Rz(az): z turns first, x last.
    const double ax = 0.3, ay = -1.1, az = 2.0;
    Matrix3 xy;
    Matrix3 xyz;
    multiply(Matrix3(ax, 0.0, 0.0), Matrix3(0.0, ay, 0.0), xy);
    multiply(xy, Matrix3(0.0, 0.0, az), xyz);
    expectMatrixNear(Matrix3(ax, ay, az), xyz, 1e-15);

    Matrix3 rotation(ax, ay, az);
    Matrix3 inv;
    inverse(rotation, inv);
    expectMatrixNear(rotation.transpose(), inv, 1e-15);
    EXPECT_NEAR(Matrix3(ax, ay, az).determinant(), 1.0, 1e-15);
}

TEST(Matrix3, ElementwiseOperationsAllowAliasing) {
    Matrix3 a = sample;
    add(a, a, a);
    expectMatrixNear(a, Matrix3(4, -2, 1, 8, 6, -4, 2, 0.5, 10), 0.0);
    subtract(a, sample, a);
    expectMatrixNear(a, sample, 0.0);
    scale(a, -2.0, a);
    expectMatrixNear(a, Matrix3(-4, 2, -1, -8, -6, 4, -2, -0.5, -10), 0.0);
    Vector3 v(1, 2, 3);
    transform(sample, v, v);
    EXPECT_EQ(v.x(), (2 * 1 + -1 * 2) + 0.5 * 3);
    EXPECT_EQ(v.y(), (4 * 1 + 3 * 2) + -2 * 3);
    EXPECT_EQ(v.z(), (1 * 1 + 0.25 * 2) + 5 * 3);
}

TEST(Matrix3, ProductAndDeterminant) {
    Matrix3 product;
    multiply(sample, Matrix3(), product);
    expectMatrixNear(product, sample, 0.0);
    Matrix3 squared = sample;
    multiply(squared, squared, squared); // safe even when the result is an operand
    Matrix3 expected;
    multiply(sample, sample, expected);
    expectMatrixNear(squared, expected, 0.0);
    EXPECT_DOUBLE_EQ(sample.determinant(), 2 * (15 + 0.5) - -1 * (20 + 2) + 0.5 * (1 - 3));
}

TEST(Matrix3, TransposeTwiceIsTheStart) {
    Matrix3 a = sample;
    a.transpose();
    EXPECT_EQ(a.m[0][1], 4.0);
    EXPECT_EQ(a.m[1][0], -1.0);
    expectMatrixNear(a.transpose(), sample, 0.0);
}

TEST(Matrix3, InverseAndSingularMatrices) {
    Matrix3 inv;
    inverse(Matrix3(2, 0, 0, 0, 4, 0, 0, 0, 8), inv);
    expectMatrixNear(inv, Matrix3(0.5, 0, 0, 0, 0.25, 0, 0, 0, 0.125), 0.0);

    Matrix3 product;
    inverse(sample, inv);
    multiply(sample, inv, product);
    expectMatrixNear(product, Matrix3(), 1e-15);

    const Matrix3 singular[] = {
        Matrix3(1, 2, 3, 4, 5, 6, 4, 5, 6),          // two equal rows
        Matrix3(1e-3, 0, 0, 0, 1e-3, 0, 0, 0, 9e-3), // determinant 9e-9
        Matrix3(0, 0, 0, 0, 0, 0, 0, 0, 0),
    };
    for (const Matrix3& s : singular) {
        inv = sample;
        inverse(s, inv);
        expectMatrixNear(inv, Matrix3(), 0.0);
    }
    Matrix3 justAbove(1e-3, 0, 0, 0, 1e-3, 0, 0, 0, 1.1e-2); // determinant 1.1e-8
    inverse(justAbove, inv);
    EXPECT_NEAR(inv.m[0][0], 1000.0, 1e-9);
}

TEST(Matrix3, TransformIgnoresTheVectorsStatus) {
    const Vector3 turned = Matrix3(0.2, 0.4, 0.6) * Vector3();
    EXPECT_EQ(turned.status_, General);
    EXPECT_EQ(turned.x(), 0.0);
    Vector3 n(0, 0, 1);
    n.normalize();
    EXPECT_EQ((Matrix3(0.2, 0.4, 0.6) * n).status_, General);
}

TEST(Matrix3, TextRoundTrip) {
    std::istringstream in(text(sample));
    Matrix3 back(0, 0, 0, 0, 0, 0, 0, 0, 0);
    in >> back;
    EXPECT_FALSE(in.fail());
    expectMatrixNear(back, sample, 0.0);

    // Any non-blank character may stand around the numbers; blanks and line ends are skipped.
    std::istringstream odd("[1;2;3] {4|5|6}\n\n <7 : 8 : 9>");
    odd >> back;
    EXPECT_FALSE(odd.fail());
    expectMatrixNear(back, Matrix3(1, 2, 3, 4, 5, 6, 7, 8, 9), 0.0);

    std::istringstream letters("a1b2c3d a4b5c6d a7b8c9d");
    letters >> back;
    expectMatrixNear(back, Matrix3(1, 2, 3, 4, 5, 6, 7, 8, 9), 0.0);

    std::istringstream truncated("(1,0,0)\n(0,1");
    truncated >> back;
    EXPECT_TRUE(truncated.fail());
}

} // namespace
