#include "geometry/line3.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "geometry/text_form.h"

Line3::Line3(const Vector3& p, const Vector3& q)
    : point_(p), direction_(q.isNormalized() ? q : unit(q - p)) {}

bool Line3::closestPoints(const Line3& other, Vector3& onThis, Vector3& onOther) const {
    if (!isValid() || !other.isValid()) {
        return false;
    }
    const Vector3& p1 = point_;
    const Vector3& d1 = direction_;
    const Vector3& p2 = other.point_;
    const Vector3& d2 = other.direction_;

    const double k = dot(d1, d2);
    const double denom = 1.0 - square(k);
    Vector3 nearThis;
    Vector3 nearOther;
    if (std::fabs(denom) < zeroTolerance) {
        // Parallel: |k| is within about 5e-9 of 1, so this is the projection of p1 - p2 on d2.
        const double t = dot(d1, p1 - p2) / k;
        nearThis = p1;
        nearOther = p2 + d2 * t;
    } else {
        // solve: dot(p1 + t d1 - (p2 + s d2), d1) = 0 and dot(p1 + t d1 - (p2 + s d2), d2) = 0
        const double a = dot(d1, p2 - p1);
        const double b = dot(d2, p1 - p2);
        const double t = (k * b + a) / denom;
        const double s = (k * a + b) / denom;
        nearThis = p1 + d1 * t;
        nearOther = p2 + d2 * s;
    }
    onThis = nearThis;
    onOther = nearOther;
    return true;
}

double Line3::distance(const Line3& other) const {
    Vector3 onThis;
    Vector3 onOther;
    if (!closestPoints(other, onThis, onOther)) {
        return 0.0;
    }
    return onThis.distance(onOther);
}

double Line3::distance(const Vector3& q) const {
    if (!isValid() || !q.isValid()) {
        return 0.0;
    }
    const double s = dot(direction_, q - point_);
    const Vector3 foot = point_ + direction_ * s;
    return q.distance(foot);
}

std::ostream& Line3::print(std::ostream& out) const {
    if (!isValid()) {
        return out << "Invalid";
    }
    out << "(P=";
    point_.print(out);
    out << ",V=";
    direction_.print(out);
    return out << ')';
}

std::istream& Line3::read(std::istream& in) {
    char opening = 0;
    if (!(in >> opening)) {
        return in;
    }
    if (opening == 'I') {
        *this = Line3();
        skipToInvalidEnd(in);
    } else {
        char skipped = 0;
        in >> skipped >> skipped; // "P="
        point_.read(in);
        in >> skipped >> skipped >> skipped; // ",V="
        direction_.read(in);
    }
    char closing = 0;
    in >> closing;
    return in;
}

Vector3::Vector3(const Line3& first, const Line3& second) {
    Vector3 onThis;
    Vector3 onOther;
    if (first.closestPoints(second, onThis, onOther)) {
        *this = (onThis + onOther) * 0.5;
    }
}

std::ostream& operator<<(std::ostream& out, const Line3& line) {
    return line.print(out);
}
std::istream& operator>>(std::istream& in, Line3& line) {
    return line.read(in);
}
