// The frame-rate display: about once a second the window title shows the number of simulation
// steps counted over the last interval, scaled to a second.
#pragma once

#include <cstddef>

/// Elapsed time (ms, the toolkit's clock) of the last title update; set first by setUpGraphics.
inline int fpsLastTime = 0;
/// Calls counted since the last title update.
inline int fpsFrames = 0;

/// Room for "Fps:" and any int rate in "%f" form.
inline constexpr std::size_t fpsTitleSize = 32;

/// One counting step at elapsed time now (ms). When more than 1000 ms have passed since
/// fpsLastTime, writes "Fps:%f" of fpsFrames * 1000 / (now - fpsLastTime) (integer division)
/// into title, starts a new interval at now and returns true; otherwise counts the call.
bool countFrame(int now, char (&title)[fpsTitleSize]);

/// countFrame at glutGet(GLUT_ELAPSED_TIME); sets the window title when a rate is due.
void updateFrameRate();
