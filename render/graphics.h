// The fixed graphics state that every frame relies on, set once after the window exists.
#pragma once

#include <GL/gl.h>

/// Display list of the burst sprite: two crossed 100 x 80 rectangles centred on the origin, each
/// wound both ways so one side always survives culling. Leaves a -45 degree turn about y applied;
/// callers bracket it with a matrix push and pop.
extern GLuint burstListId;

/// Sets clear colour, a 50 degree perspective of aspect 1 (near 10, far 1700), smooth shading,
/// culling, depth test, front material, light 0 at (0, 400, 0) in eye coordinates, colour
/// material, additive blending and texturing; loads the textures, compiles burstListId and
/// starts the frame-rate counter. Needs a current GL context.
void setUpGraphics();
