// Where the straight path of a ball's centre first meets a surface of the room. The surfaces lie
// one ball radius inside what is drawn, so the ball is the point of its centre here.
#pragma once

#include "geometry/vector3.h"
#include "physics/scene.h"

/// Path origin + distance * direction meets the plane (from either side, up to 1e-8 behind the
/// origin); writes distance and the plane's normal as stored. Outputs untouched on a miss.
bool hitPlane(const BoundaryPlane& plane, const Vector3& origin, const Vector3& direction,
              double& distance, Vector3& normal);

/// Path meets the infinite cylinder: the entry point, or the exit point when the path starts
/// inside; writes distance, the outward unit normal and the hit point. Paths parallel to the
/// axis miss. Outputs untouched on a miss.
bool hitPillar(const Pillar& pillar, const Vector3& origin, const Vector3& direction,
               double& distance, Vector3& normal, Vector3& hitPoint);
