// Asynchronous playback of a WAV file by name. Returns at once; the result may be ignored.
//
// On Windows this is the system's PlaySoundA. Elsewhere the file is read and decoded on its first
// play and kept; the audio device is opened once, in the first sound's format. Without a device,
// or for a file that cannot be used, the failure is remembered (no retry on later calls) and told
// in at most one line on stderr for the whole run. Nothing is ever written to stdout. Call it from
// one thread only.
#pragma once

/// Starts playing fileName (a WAV file) and returns without waiting. A new sound replaces the one
/// still playing. Returns false when nothing could be played (no device, missing or bad file).
bool playSoundAsync(const char* fileName);
