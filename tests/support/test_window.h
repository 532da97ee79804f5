// A real freeglut window for tests that draw. GLUT is initialised once per process, so every
// test in an executable shares the one window; each test sets the GL state it relies on.
#pragma once

#include <array>
#include <cstdint>

/// Opens the window on first use (640 x 480 unless given otherwise), makes its context current
/// and lets the window system map it. Later calls only make it current again.
void openTestWindow(int width = 640, int height = 480);

/// Lets freeglut handle pending window-system events (map, reshape, expose).
void pumpEvents(int rounds = 5);

/// The pixel at (x, y) of the frame just drawn, counted from the bottom-left corner, read from
/// the back buffer right after the swap (the front buffer reads black under Xvfb).
std::array<std::uint8_t, 3> readPixel(int x, int y);
