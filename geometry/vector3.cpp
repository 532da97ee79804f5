#include "geometry/vector3.h"

#include <cmath>
#include <istream>
#include <ostream>

#include "geometry/text_form.h"

Vector3& Vector3::markGeneral() {
    if (status_ == Normalized) {
        status_ = General;
    }
    return *this;
}

double Vector3::length() const {
    if (status_ == Invalid) {
        return 0.0;
    }
    if (status_ == Normalized) {
        return 1.0;
    }
    return std::sqrt((square(x_) + square(y_)) + square(z_));
}

double Vector3::dot(const Vector3& other) const {
    if (!isValid() || !other.isValid()) {
        return 0.0;
    }
    return (x_ * other.x_ + y_ * other.y_) + z_ * other.z_;
}

double Vector3::distance(const Vector3& other) const {
    return (*this - other).length();
}

Vector3& Vector3::normalize() {
    if (status_ != General) {
        return *this;
    }
    const double len = length();
    if (len >= zeroTolerance) {
        const double k = 1.0 / len;
        x_ *= k;
        y_ *= k;
        z_ *= k;
    } else {
        // Too short to have a direction (or not a number): the zero vector, marked Normalized.
        x_ = 0.0;
        y_ = 0.0;
        z_ = 0.0;
    }
    status_ = Normalized;
    return *this;
}

Vector3& Vector3::operator+=(const Vector3& b) {
    return add(*this, b, *this);
}

std::ostream& Vector3::print(std::ostream& out) const {
    switch (status_) {
    case Normalized:
        return out << '<' << x_ << ',' << y_ << ',' << z_ << '>';
    case General:
        return out << '[' << x_ << ',' << y_ << ',' << z_ << ']';
    default:
        return out << "Invalid";
    }
}

std::istream& Vector3::read(std::istream& in) {
    char opening = 0;
    if (!(in >> opening)) {
        return in;
    }
    if (opening == 'I') {
        *this = Vector3();
        skipToInvalidEnd(in);
    } else {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        char separator = 0;
        if (!(in >> x >> separator >> y >> separator >> z)) {
            return in;
        }
        *this = Vector3(x, y, z);
        if (opening == '<') {
            normalize();
        }
    }
    char closing = 0;
    in >> closing;
    return in;
}

double dot(const Vector3& a, const Vector3& b) {
    return a.dot(b);
}

Vector3& add(const Vector3& a, const Vector3& b, Vector3& result) {
    if (!a.isValid() || !b.isValid()) {
        return result = Vector3();
    }
    return result = Vector3(a.x_ + b.x_, a.y_ + b.y_, a.z_ + b.z_);
}

Vector3& subtract(const Vector3& a, const Vector3& b, Vector3& result) {
    if (!a.isValid() || !b.isValid()) {
        return result = Vector3();
    }
    return result = Vector3(a.x_ - b.x_, a.y_ - b.y_, a.z_ - b.z_);
}

Vector3& scale(const Vector3& a, double s, Vector3& result) {
    if (!a.isValid()) {
        return result = Vector3();
    }
    return result = Vector3(a.x_ * s, a.y_ * s, a.z_ * s);
}

Vector3& negate(const Vector3& a, Vector3& result) {
    if (!a.isValid()) {
        return result = Vector3();
    }
    const VectorStatus status = a.status_;
    result = Vector3(-a.x_, -a.y_, -a.z_);
    result.status_ = status;
    return result;
}

Vector3& cross(const Vector3& a, const Vector3& b, Vector3& result) {
    if (!a.isValid() || !b.isValid()) {
        return result = Vector3();
    }
    // Built in full before assigning, so a result that is an operand still gets the right answer.
    return result = Vector3(a.y_ * b.z_ - a.z_ * b.y_, a.z_ * b.x_ - a.x_ * b.z_,
                            a.x_ * b.y_ - a.y_ * b.x_);
}

Vector3& unit(const Vector3& a, Vector3& result) {
    result = a;
    return result.normalize();
}

Vector3 operator+(const Vector3& a, const Vector3& b) {
    Vector3 result;
    add(a, b, result);
    return result;
}

Vector3 operator-(const Vector3& a, const Vector3& b) {
    Vector3 result;
    subtract(a, b, result);
    return result;
}

Vector3 operator*(const Vector3& a, double s) {
    Vector3 result;
    scale(a, s, result);
    return result;
}

Vector3 operator-(const Vector3& a) {
    Vector3 result;
    negate(a, result);
    return result;
}

Vector3 unit(const Vector3& a) {
    Vector3 result;
    unit(a, result);
    return result;
}

std::ostream& operator<<(std::ostream& out, const Vector3& v) {
    return v.print(out);
}
std::istream& operator>>(std::istream& in, Vector3& v) {
    return v.read(in);
}
