// The four texture pictures of the scene, generated from fixed seeds: the same pixels every run.
#pragma once

#include "tools/picture.h"

/// Grey-white marble with soft, turbulent veins, 256 x 256; repeats without a seam (it wraps
/// round the pillars).
Picture makeMarble();

/// Burst sprite, 128 x 128: a white-hot core with yellow rays, black (transparent under additive
/// blending) towards and along the border.
Picture makeSpark();

/// Floor: a 4 x 4 grid of worn sandstone slabs in dark mortar, 256 x 256, tileable.
Picture makeFloor();

/// Walls: red-brown bricks in staggered courses with light mortar, 256 x 256, tileable. Stored
/// upside down, because the room maps the picture's bottom row to the top of each wall.
Picture makeWall();
