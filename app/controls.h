// The user's special keys: time step, camera mode, sound, scene turn and camera movement.
#pragma once

/// F1/F2: time step +/- 0.1; F3: follow camera on/off (angle back to 0); F4: sound on/off;
/// left/right: turn the scene +/- 10 degrees; up/down: free camera 10 forward/back.
/// Every special key, known or not, requests a redisplay.
void onSpecialKey(int key, int x, int y);
