#include "platform/sound_player.h"

// Placeholder until the SDL player lands: plays nothing.
bool playSoundAsync(const char*) { return false; }
