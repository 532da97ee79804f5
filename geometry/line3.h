// Line3: an infinite straight line through a point along a unit direction.
//
// A line is valid when its direction is Normalized and its point is valid. The zero direction
// that normalising a too-short vector leaves is Normalized too, so a line through two coincident
// points is valid and behaves as the single point. Operations on an invalid line answer 0, false
// or an Invalid vector.
#pragma once

#include <iosfwd>

#include "geometry/vector3.h"

class Line3 {
  public:
    Vector3 point_;
    Vector3 direction_;

    /// Both vectors Invalid: an invalid line.
    Line3() = default;
    /// Through p; along q when q is Normalized, otherwise along unit(q - p).
    Line3(const Vector3& p, const Vector3& q);

    bool isValid() const { return direction_.isNormalized() && point_.isValid(); }
    Vector3 point() const { return point_; }
    Vector3 direction() const { return direction_; }

    /// Nearest points of the two lines; false (outputs untouched) when either line is invalid.
    bool closestPoints(const Line3& other, Vector3& onThis, Vector3& onOther) const;
    /// Distance between the two lines; 0 when closestPoints fails.
    double distance(const Line3& other) const;
    /// Distance of q from the line; 0 when the line or q is invalid.
    double distance(const Vector3& q) const;

    /// "(P=point,V=direction)", or "Invalid".
    std::ostream& print(std::ostream& out) const;
    /// Reads what print writes; a failed stream is the only sign of failure.
    std::istream& read(std::istream& in);
};

std::ostream& operator<<(std::ostream& out, const Line3& line);
std::istream& operator>>(std::istream& in, Line3& line);
