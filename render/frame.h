// Drawing one frame of the scene from the program-wide variables.
#pragma once

struct Burst;

/// A burst is drawn while its alpha is 0 or more; each drawn frame takes 0.01 from alpha and adds
/// 0.03 to scale (single precision). Ages a visible burst by one frame and returns true; leaves
/// a free one (alpha below 0) as it is and returns false.
bool ageBurst(Burst& burst);

/// The display callback: camera, balls, room, pillars and the bursts (ageing each drawn one),
/// then swaps the buffers. Leaves blending and texturing off, depth writes on and the modelview
/// matrix holding camera and scene turn. Needs setUpGraphics and setUpScene to have run.
void drawFrame();
