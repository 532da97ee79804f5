#include "geometry/matrix3.h"

#include <cmath>
#include <istream>
#include <ostream>
#include <utility>

Matrix3::Matrix3(double m00, double m01, double m02, double m10, double m11, double m12, double m20,
                 double m21, double m22)
    : m{{m00, m01, m02}, {m10, m11, m12}, {m20, m21, m22}} {}

Matrix3::Matrix3(double ax, double ay, double az) {
    const double cx = std::cos(ax);
    const double sx = std::sin(ax);
    const double cy = std::cos(ay);
    const double sy = std::sin(ay);
    const double cz = std::cos(az);
    const double sz = std::sin(az);
    m[0][0] = cy * cz;
    m[0][1] = -cy * sz;
    m[0][2] = sy;
    m[1][0] = sx * sy * cz + cx * sz;
    m[1][1] = -sx * sy * sz + cx * cz;
    m[1][2] = -sx * cy;
    m[2][0] = -cx * sy * cz + sx * sz;
    m[2][1] = cx * sy * sz + sx * cz;
    m[2][2] = cx * cy;
}

Vector3 Matrix3::operator*(const Vector3& v) const {
    Vector3 result;
    transform(*this, v, result);
    return result;
}

double Matrix3::determinant() const {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

Matrix3& Matrix3::transpose() {
    std::swap(m[0][1], m[1][0]);
    std::swap(m[0][2], m[2][0]);
    std::swap(m[1][2], m[2][1]);
    return *this;
}

std::ostream& Matrix3::print(std::ostream& out) const {
    for (const auto& row : m) {
        out << '(' << row[0] << ',' << row[1] << ',' << row[2] << ')' << std::endl;
    }
    return out;
}

std::istream& Matrix3::read(std::istream& in) {
    char skipped = 0;
    for (auto& row : m) {
        in >> skipped >> row[0] >> skipped >> row[1] >> skipped >> row[2] >> skipped;
    }
    return in;
}

Matrix3& add(const Matrix3& a, const Matrix3& b, Matrix3& result) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            result.m[i][j] = a.m[i][j] + b.m[i][j];
        }
    }
    return result;
}

Matrix3& subtract(const Matrix3& a, const Matrix3& b, Matrix3& result) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            result.m[i][j] = a.m[i][j] - b.m[i][j];
        }
    }
    return result;
}

Matrix3& multiply(const Matrix3& a, const Matrix3& b, Matrix3& result) {
    // Built in a temporary, so that a result that is also an operand still gets the product.
    Matrix3 product;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            product.m[i][j] =
                (a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j]) + a.m[i][2] * b.m[2][j];
        }
    }
    return result = product;
}

Matrix3& scale(const Matrix3& a, double s, Matrix3& result) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            result.m[i][j] = a.m[i][j] * s;
        }
    }
    return result;
}

Vector3& transform(const Matrix3& a, const Vector3& v, Vector3& result) {
    // The vector's status is not consulted: an Invalid vector is (0, 0, 0) and maps to it.
    const double x = (a.m[0][0] * v.x_ + a.m[0][1] * v.y_) + a.m[0][2] * v.z_;
    const double y = (a.m[1][0] * v.x_ + a.m[1][1] * v.y_) + a.m[1][2] * v.z_;
    const double z = (a.m[2][0] * v.x_ + a.m[2][1] * v.y_) + a.m[2][2] * v.z_;
    return result = Vector3(x, y, z);
}

Matrix3& inverse(const Matrix3& a, Matrix3& result) {
    const double det = a.determinant();
    if (std::fabs(det) < zeroTolerance) {
        return result = Matrix3();
    }
    const auto& m = a.m;
    const Matrix3 adjugate(
        m[1][1] * m[2][2] - m[1][2] * m[2][1], m[2][1] * m[0][2] - m[2][2] * m[0][1],
        m[0][1] * m[1][2] - m[0][2] * m[1][1], m[1][2] * m[2][0] - m[1][0] * m[2][2],
        m[2][2] * m[0][0] - m[2][0] * m[0][2], m[0][2] * m[1][0] - m[0][0] * m[1][2],
        m[1][0] * m[2][1] - m[1][1] * m[2][0], m[2][0] * m[0][1] - m[2][1] * m[0][0],
        m[0][0] * m[1][1] - m[0][1] * m[1][0]);
    const double r = 1.0 / det;
    return scale(adjugate, r, result);
}

std::ostream& operator<<(std::ostream& out, const Matrix3& a) {
    return a.print(out);
}
std::istream& operator>>(std::istream& in, Matrix3& a) {
    return a.read(in);
}
