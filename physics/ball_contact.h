// The earliest sampled moment within a sub-step at which two balls touch (centres 40 apart or
// less). Reads ballCount, ballVelocities, previousPositions (start centres) and ballPositions
// (tentative end centres); writes no program-wide variable.
#pragma once

/// Samples every pair at subStep / 150 increments and reports the sampled moment before the
/// first touching sample (0 when the first sample touches); ties go to the first pair visited
/// (lower i, then lower j). Writes contactTime and first < second only when it returns true.
bool findBallContact(double subStep, double& contactTime, int& first, int& second);

/// As findBallContact, but passes over a pair whose centres do not approach at its candidate
/// time, dot(Pj - Pi, v_i - v_j) <= 0, so that the step never answers a separating or resting
/// pair and a later contact of another pair is still found.
bool findApproachingBallContact(double subStep, double& contactTime, int& first, int& second);
