// The scene: program-wide objects that exist for the whole run, read and written directly by the
// simulation, the drawing and the keys. Distances in scene units, time in simulated units,
// velocities in units per time unit, angles in degrees. y points up.
#pragma once

#include "geometry/vector3.h"

struct GLUquadric;

/// One flat boundary of the room; the normal has unit length and points into the room.
struct BoundaryPlane {
    Vector3 point;
    Vector3 normal;
};

/// An infinite circular cylinder with no caps; radius is the collision radius.
struct Pillar {
    Vector3 point;
    Vector3 direction;
    double radius = 0.0;
};

/// A fading collision sprite; a slot whose alpha is 0 or below is free.
struct Burst {
    Vector3 position;
    float alpha = 0.0f;
    float scale = 0.0f;
};

inline constexpr int maxBalls = 10;
inline constexpr int planeCount = 5;
inline constexpr int pillarCount = 3;
inline constexpr int burstCount = 20;

extern int ballCount;
extern Vector3 ballPositions[maxBalls];
extern Vector3 ballVelocities[maxBalls];
extern Vector3 previousPositions[maxBalls];
extern BoundaryPlane planes[planeCount];
extern Pillar pillars[pillarCount];
extern Burst bursts[burstCount];
extern Vector3 gravity;
extern Vector3 initialVelocity;
extern double timeStep;
extern int soundEnabled;
extern int followBall;
extern float sceneAngle;
extern Vector3 cameraPosition;
extern Vector3 cameraDirection;
extern GLUquadric* pillarQuadric;

/// Gives the planes, pillars, balls and burst slots their initial values; needs no GL.
void setUpSceneValues();
/// setUpSceneValues, then creates pillarQuadric with texture coordinates on. Ends the program
/// with status 1 and a message when the quadric cannot be created.
void setUpScene();
