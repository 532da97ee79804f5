// Matrix3: a 3x3 matrix of doubles, m[row][column], stored row by row. Every matrix is a defined
// value: there is no status tag. Angles are in radians.
#pragma once

#include <iosfwd>

#include "geometry/vector3.h"

struct Matrix3 {
    double m[3][3] = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}};

    /// The identity.
    Matrix3() = default;
    /// Nine elements in storage order, row by row.
    Matrix3(double m00, double m01, double m02, double m10, double m11, double m12, double m20,
            double m21, double m22);
    /// Rx(ax) * Ry(ay) * Rz(az): turns a vector by az about z, then ay about y, then ax about x.
    Matrix3(double ax, double ay, double az);

    /// transform(*this, v)
    Vector3 operator*(const Vector3& v) const;
    /// Expansion along the first row.
    double determinant() const;
    /// Transposes in place.
    Matrix3& transpose();

    /// Three lines "(m0,m1,m2)", each ended by std::endl.
    std::ostream& print(std::ostream& out) const;
    /// Reads what print writes; the characters around the numbers are not tested.
    std::istream& read(std::istream& in);
};

/// a + b, element by element
Matrix3& add(const Matrix3& a, const Matrix3& b, Matrix3& result);
/// a - b, element by element
Matrix3& subtract(const Matrix3& a, const Matrix3& b, Matrix3& result);
/// a * b, [i][j] = (a[i][0]*b[0][j] + a[i][1]*b[1][j]) + a[i][2]*b[2][j]
Matrix3& multiply(const Matrix3& a, const Matrix3& b, Matrix3& result);
/// a * s, element by element
Matrix3& scale(const Matrix3& a, double s, Matrix3& result);
/// a * v, status General whatever v's status
Vector3& transform(const Matrix3& a, const Vector3& v, Vector3& result);
/// adjugate(a) / det(a), or the identity when |det(a)| < zeroTolerance
Matrix3& inverse(const Matrix3& a, Matrix3& result);

std::ostream& operator<<(std::ostream& out, const Matrix3& a);
std::istream& operator>>(std::istream& in, Matrix3& a);
