#include "physics/hit_tests.h"

#include <cmath>

bool hitPlane(const BoundaryPlane& plane, const Vector3& origin, const Vector3& direction,
              double& distance, Vector3& normal) {
    const double denom = dot(direction, plane.normal);
    if (-zeroTolerance < denom && denom < zeroTolerance) {
        return false;
    }
    const double t = dot(plane.normal, plane.point - origin) / denom;
    // A path starting up to 1e-8 beyond the plane still hits it.
    if (t < -zeroTolerance) {
        return false;
    }
    distance = t;
    normal = plane.normal;
    return true;
}

bool hitPillar(const Pillar& pillar, const Vector3& origin, const Vector3& direction,
               double& distance, Vector3& normal, Vector3& hitPoint) {
    const Vector3& axis = pillar.direction;
    const Vector3 w = origin - pillar.point;

    Vector3 n;
    cross(direction, axis, n);
    const double ln = n.length();
    if (!(ln >= zeroTolerance)) {
        // Parallel to the axis, even inside the cylinder (a length that is not a number misses
        // as well).
        return false;
    }
    // What normalize() would do, without taking the length a second time.
    scale(n, 1.0 / ln, n);
    n.status_ = Normalized;

    // Shortest distance between the path's line and the axis.
    const double d = std::fabs(dot(w, n));
    if (d > pillar.radius) {
        return false;
    }

    Vector3 wxa;
    cross(w, axis, wxa);
    const double t0 = -dot(wxa, n) / ln;

    Vector3 across;
    cross(n, axis, across);
    across.normalize();
    const double s =
        std::fabs(std::sqrt(square(pillar.radius) - square(d)) / dot(direction, across));

    const double tin = t0 - s;
    const double tout = t0 + s;
    double t = 0.0;
    if (tin >= -zeroTolerance) {
        t = tin;
    } else if (tout >= -zeroTolerance) {
        // Starts inside (or within 1e-8 beyond the surface): the exit point.
        t = tout;
    } else {
        return false;
    }

    const Vector3 hit = origin + direction * t;
    const Vector3 radial = hit - pillar.point;
    distance = t;
    normal = unit(radial - axis * dot(radial, axis));
    hitPoint = hit;
    return true;
}
