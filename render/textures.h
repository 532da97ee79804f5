// The four textures of the scene, made once at start from BMP files in the working directory.
#pragma once

#include <GL/gl.h>

inline constexpr int textureCount = 4;

/// Texture names: 0 marble (pillars), 1 spark (bursts), 2 floor, 3 walls.
extern GLuint textureIds[textureCount];

/// Reads "marble.bmp", "spark.bmp", "boden.bmp" and "wand.bmp" into textureIds, leaving the wall
/// texture bound. Needs a current GL context. Ends the program with status 1 when a file cannot be
/// used (after the reader's message) and with status 0 when an image record cannot be allocated.
void loadTextures();
