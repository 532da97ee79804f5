#include "physics/ball_contact.h"

#include <cmath>

#include "geometry/line3.h"
#include "physics/scene.h"

namespace {

constexpr int sampleIncrements = 150;
constexpr double touchDistance = 40.0; // two radii of 20
constexpr double noContact = 10000.0;

// True when no sample of the pair can come within touchDistance: on some axis the start centres
// lie further apart than the relative motion over reach can close, by a margin far above the
// rounding of the samples. Skipping such a pair changes no result and saves its coarse test.
bool cannotTouch(const Vector3& pi, const Vector3& pj, const Vector3& rel, double reach) {
    if (!pi.isValid() || !pj.isValid() || !rel.isValid()) {
        return false;
    }
    const auto apart = [reach](double a, double b, double r) {
        const double closing = std::fabs(r) * reach;
        const double margin = 1e-7 * (1.0 + std::fabs(a) + std::fabs(b) + closing);
        return std::fabs(a - b) - closing > touchDistance + margin;
    };
    return apart(pi.x(), pj.x(), rel.x()) || apart(pi.y(), pj.y(), rel.y()) ||
           apart(pi.z(), pj.z(), rel.z());
}

bool approachesAt(int i, int j, double time, const Vector3& rel) {
    const Vector3 pi = previousPositions[i] + ballVelocities[i] * time;
    const Vector3 pj = previousPositions[j] + ballVelocities[j] * time;
    return dot(pj - pi, rel) > 0.0;
}

bool searchBallContact(double subStep, bool approachingOnly, double& contactTime, int& first,
                       int& second) {
    const double dt = subStep / sampleIncrements;
    if (!(dt > 0.0)) {
        // Nothing to sample; an increment that underflows to 0 would never end the sampling.
        return false;
    }
    // Every sample lies before subStep + dt; twice that is a safe bound.
    const double reach = subStep + 2.0 * dt;
    double best = noContact;
    int bestFirst = -1;
    int bestSecond = -1;

    for (int i = 0; i < ballCount - 1; ++i) {
        for (int j = i + 1; j < ballCount; ++j) {
            const Vector3 rel = ballVelocities[i] - ballVelocities[j];
            if (cannotTouch(previousPositions[i], previousPositions[j], rel, reach)) {
                continue;
            }
            // Coarse rejection against j's tentative end centre; with rel = 0 the line is the
            // point previousPositions[i].
            const Line3 path(previousPositions[i], unit(rel));
            if (path.distance(ballPositions[j]) > touchDistance) {
                continue;
            }
            // In the frame in which ball j rests at its start centre.
            double s = 0.0;
            while (s < subStep) {
                s += dt;
                const Vector3 sample = previousPositions[i] + rel * s;
                if (sample.distance(previousPositions[j]) <= touchDistance) {
                    const double candidate = s - dt;
                    if (candidate < best &&
                        (!approachingOnly || approachesAt(i, j, candidate, rel))) {
                        best = candidate;
                        bestFirst = i;
                        bestSecond = j;
                    }
                    break;
                }
            }
        }
    }

    if (best == noContact) {
        return false;
    }
    contactTime = best;
    first = bestFirst;
    second = bestSecond;
    return true;
}

} // namespace

bool findBallContact(double subStep, double& contactTime, int& first, int& second) {
    return searchBallContact(subStep, false, contactTime, first, second);
}

bool findApproachingBallContact(double subStep, double& contactTime, int& first, int& second) {
    return searchBallContact(subStep, true, contactTime, first, second);
}
