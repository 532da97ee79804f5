// The toolkit's idle callback.
#pragma once

/// advanceSimulation, then updateFrameRate, then a redisplay request.
void stepSimulation();
