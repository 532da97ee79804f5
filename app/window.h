// The window's own callbacks: the projection on every reshape, and Escape to quit.
#pragma once

extern int windowWidth;
extern int windowHeight;

/// Viewport and perspective (50 degrees, width / height, 10 to 1700) for the new size. A height
/// of 0 keeps the previous projection, so nothing divides by zero.
void onReshape(int width, int height);
/// Escape deletes the textures and exits with status 0; every other key does nothing.
void onKey(unsigned char key, int x, int y);
