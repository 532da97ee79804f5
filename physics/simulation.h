// The simulation step: turns the scene, applies gravity once per call and advances the balls by
// timeStep from event to event (surface hits and ball contacts), answering one event per pass.
#pragma once

#include "geometry/vector3.h"

/// Starts a sound file playing and returns at once; the step ignores the result. Points at
/// playSoundAsync; tests point it elsewhere.
extern bool (*collisionSoundPlayer)(const char* fileName);

/// Backstop on the passes of one call. A pass answers at most one event; when a call reaches
/// this many, the last pass keeps its tentative moves through the remaining time and the call
/// ends. Far above what the scene needs (a handful of passes a call).
inline constexpr int maxStepPasses = 1000;

/// Passes of the event loop in the last advanceSimulation call, the capped pass included.
extern int lastStepPasses;

/// Fills the first free burst slot (alpha <= 0, index order) with alpha 1, scale 1 at position;
/// does nothing when all are in use.
void spawnBurst(const Vector3& position);

/// One step of simulated time timeStep: sceneAngle += 0.1 degree unless followBall (above 360
/// it becomes 0), v += timeStep * gravity, then the event loop. Allocates nothing; no GL.
void advanceSimulation();
