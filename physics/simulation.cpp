#include "physics/simulation.h"

#include "physics/ball_contact.h"
#include "physics/hit_tests.h"
#include "physics/scene.h"
#include "platform/sound_player.h"

bool (*collisionSoundPlayer)(const char* fileName) = &playSoundAsync;
int lastStepPasses = 0;

namespace {

constexpr double noEvent = 10000.0;
constexpr const char* collisionSoundFile = "Explode.wav";

struct SurfaceEvent {
    double time = noEvent;
    int ball = -1;
    Vector3 normal;
    Vector3 point;
};

// A hit at distance d, time t = d R / L, becomes the event unless it lies after the remaining
// time, or is a surface the ball already touches (d within 1e-8) without moving into it by more
// than 1e-8 along the normal: leaving it, or sliding along it. Answering a touch that slides
// would change nothing and take no time, pass after pass (a ball falling onto the line where a
// pillar meets the floor grazes the pillar there, and the pillar wins every tie with the floor).
// t <= T lets a later candidate with an equal time win.
bool takesOver(const SurfaceEvent& event, double remaining, double pathLength,
               const Vector3& direction, double d, const Vector3& normal, double& t) {
    t = d * remaining / pathLength;
    return t <= event.time && !(remaining + zeroTolerance < t) &&
           (d > zeroTolerance || dot(direction, normal) < -zeroTolerance);
}

void moveAllTo(double time) {
    for (int k = 0; k < ballCount; ++k) {
        ballPositions[k] = previousPositions[k] + ballVelocities[k] * time;
    }
}

// Equal masses, elastic: the parts of the velocities along the line of centres are exchanged.
void answerContact(int i, int j, double time) {
    const Vector3 pi = previousPositions[i] + ballVelocities[i] * time;
    const Vector3 pj = previousPositions[j] + ballVelocities[j] * time;
    const Vector3& vi = ballVelocities[i];
    const Vector3& vj = ballVelocities[j];

    const Vector3 n = unit(pj - pi);
    const Vector3 ni = n * dot(n, vi);
    const Vector3 ti = vi - ni;
    const Vector3 m = unit(pi - pj);
    const Vector3 nj = m * dot(m, vj);
    const Vector3 tj = vj - nj;
    const Vector3 wi = ((ni + nj) - (ni - nj)) * 0.5;
    const Vector3 wj = ((ni + nj) - (nj - ni)) * 0.5;

    moveAllTo(time);
    ballVelocities[i] = wi + ti;
    ballVelocities[j] = wj + tj;
    spawnBurst(ballPositions[i]);
}

// Mirror the direction in the surface and keep the speed: the bounce loses no energy.
void answerSurface(const SurfaceEvent& event) {
    moveAllTo(event.time);
    Vector3& v = ballVelocities[event.ball];
    const double speed = v.length();
    v.normalize();
    const double k2 = 2.0 * dot(event.normal, -v);
    v = unit(v + event.normal * k2) * speed;
    spawnBurst(event.point);
}

// Moves every ball tentatively through the remaining time and returns the earliest surface
// event within it; with findEvents false it only moves.
SurfaceEvent moveTentatively(double remaining, bool findEvents) {
    SurfaceEvent event;
    for (int k = 0; k < ballCount; ++k) {
        const Vector3 origin = ballPositions[k];
        previousPositions[k] = origin;
        const Vector3 u = unit(ballVelocities[k]);
        ballPositions[k] = origin + ballVelocities[k] * remaining;
        if (!findEvents) {
            continue;
        }
        const double pathLength = ballPositions[k].distance(origin);
        if (!(pathLength > 0.0)) {
            // A path too short to change any coordinate reaches nothing (and t = d R / L would
            // not be defined).
            continue;
        }
        double d = 0.0;
        double t = 0.0;
        Vector3 normal;
        Vector3 point;
        for (const BoundaryPlane& plane : planes) {
            if (hitPlane(plane, origin, u, d, normal) &&
                takesOver(event, remaining, pathLength, u, d, normal, t)) {
                event = {t, k, normal, origin + u * d};
            }
        }
        for (const Pillar& pillar : pillars) {
            if (hitPillar(pillar, origin, u, d, normal, point) &&
                takesOver(event, remaining, pathLength, u, d, normal, t)) {
                event = {t, k, normal, point};
            }
        }
    }
    return event;
}

} // namespace

void spawnBurst(const Vector3& position) {
    for (Burst& burst : bursts) {
        if (burst.alpha <= 0.0f) {
            burst.alpha = 1.0f;
            burst.position = position;
            burst.scale = 1.0f;
            return;
        }
    }
}

void advanceSimulation() {
    if (followBall == 0) {
        sceneAngle = sceneAngle + 0.1f;
        // Back to 0, not reduced by 360: exactly 360 stays.
        if (sceneAngle > 360.0f) {
            sceneAngle = 0.0f;
        }
    }

    double remaining = timeStep;
    for (int k = 0; k < ballCount; ++k) {
        ballVelocities[k] = ballVelocities[k] + gravity * remaining;
    }

    int passes = 0;
    while (remaining > zeroTolerance) {
        ++passes;
        if (passes == maxStepPasses) {
            moveTentatively(remaining, false);
            break;
        }
        const SurfaceEvent surface = moveTentatively(remaining, true);

        double contactTime = 0.0;
        int first = 0;
        int second = 0;
        // Only approaching pairs: a separating or resting pair answered at time 0 would never
        // let the remaining time shrink.
        if (findApproachingBallContact(remaining, contactTime, first, second)) {
            if (soundEnabled != 0 && collisionSoundPlayer != nullptr) {
                collisionSoundPlayer(collisionSoundFile);
            }
            // A tie goes to the surface.
            if (surface.time == noEvent || surface.time > contactTime) {
                remaining -= contactTime;
                answerContact(first, second, contactTime);
                continue;
            }
        }
        if (surface.time == noEvent) {
            // Nothing within the remaining time: the tentative moves cover it all.
            break;
        }
        remaining -= surface.time;
        answerSurface(surface);
    }
    lastStepPasses = passes;
}
