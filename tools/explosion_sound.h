// The contact sound: a short explosion thump, generated from a fixed seed.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr std::uint32_t explosionSampleRate = 44100;

/// Half a second of mono samples at explosionSampleRate: rumbling low-passed noise over a falling
/// low sine, a 3 ms attack, exponential decay, peak normalised to -1 dBFS.
std::vector<std::int16_t> makeExplosionSound();
