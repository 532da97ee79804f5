// Vector3: the value type of every point, direction, offset and velocity.
//
// Conventions
// - Components are doubles; angles elsewhere in the scene are degrees, in this kernel radians.
// - A status tag travels with every value: Invalid (no value, always the zero vector), General,
//   or Normalized (known to be of unit length, or the zero vector left by normalising a vector
//   shorter than zeroTolerance).
// - No operation reports an error: an Invalid operand yields the Invalid zero vector, or 0.
// - Out-argument functions write their result last and return a reference to it; they are safe
//   when the result is also an operand.
#pragma once

#include <cstdint>
#include <iosfwd>

/// The one threshold of the geometry kernel, the hit tests and the simulation step.
inline constexpr double zeroTolerance = 1e-8;

enum VectorStatus : std::int32_t {
    Invalid = 0,
    General = 1,
    Normalized = 2,
};

class Line3;

struct Vector3 {
    double x_ = 0.0;
    double y_ = 0.0;
    double z_ = 0.0;
    VectorStatus status_ = Invalid;

    /// (0, 0, 0), Invalid.
    Vector3() = default;
    /// (x, y, z), General, whatever its length.
    Vector3(double x, double y, double z) : x_(x), y_(y), z_(z), status_(General) {}
    /// Midpoint of the closest approach of two lines; Invalid when either line is.
    Vector3(const Line3& first, const Line3& second);

    double x() const { return x_; }
    double y() const { return y_; }
    double z() const { return z_; }

    bool isValid() const { return status_ != Invalid; }
    bool isGeneral() const { return status_ == General; }
    bool isNormalized() const { return status_ == Normalized; }
    /// Normalized becomes General; other statuses are kept.
    Vector3& markGeneral();

    /// 0 when Invalid, exactly 1 when Normalized, else sqrt((x*x + y*y) + z*z).
    double length() const;
    /// (a.x*b.x + a.y*b.y) + a.z*b.z; 0 when either is Invalid.
    double dot(const Vector3& other) const;
    /// length(a - b); 0 when either is Invalid.
    double distance(const Vector3& other) const;

    /// Scales a General vector to unit length (to zero when shorter than zeroTolerance) and marks
    /// it Normalized; Invalid and Normalized vectors are left alone.
    Vector3& normalize();
    /// this = add(this, b, this).
    Vector3& operator+=(const Vector3& b);

    std::ostream& print(std::ostream& out) const;
    /// Reads "Invalid", "[x,y,z]" or "<x,y,z>" (any separators); a failed stream is the only sign
    /// of failure, and a vector whose numbers could not be read keeps its previous value.
    std::istream& read(std::istream& in);
};

/// s * s
inline double square(double s) {
    return s * s;
}

/// a.dot(b)
double dot(const Vector3& a, const Vector3& b);

/// a + b
Vector3& add(const Vector3& a, const Vector3& b, Vector3& result);
/// a - b
Vector3& subtract(const Vector3& a, const Vector3& b, Vector3& result);
/// a * s, status General even for s = 1
Vector3& scale(const Vector3& a, double s, Vector3& result);
/// -a, keeping a's status
Vector3& negate(const Vector3& a, Vector3& result);
/// (a.y*b.z - a.z*b.y, a.z*b.x - a.x*b.z, a.x*b.y - a.y*b.x)
Vector3& cross(const Vector3& a, const Vector3& b, Vector3& result);
/// a copy of a, normalised
Vector3& unit(const Vector3& a, Vector3& result);

Vector3 operator+(const Vector3& a, const Vector3& b);
Vector3 operator-(const Vector3& a, const Vector3& b);
Vector3 operator*(const Vector3& a, double s);
Vector3 operator-(const Vector3& a);
Vector3 unit(const Vector3& a);

std::ostream& operator<<(std::ostream& out, const Vector3& v);
std::istream& operator>>(std::istream& in, Vector3& v);
