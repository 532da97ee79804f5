// Asynchronous playback of a WAV file by name. Returns at once; the result may be ignored.
#pragma once

/// Starts playing fileName (a WAV file) and returns without waiting. A new sound replaces the one
/// still playing. Returns false when nothing could be played (no device, missing or bad file).
bool playSoundAsync(const char* fileName);
