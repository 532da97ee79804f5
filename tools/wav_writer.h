// WAV encoder: RIFF with one PCM format chunk and one data chunk, as every player reads it.
#pragma once

#include <cstdint>
#include <vector>

/// File bytes of mono 16-bit PCM `samples` at `sampleRate` Hz: 44-byte header, then the samples
/// little-endian.
std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples,
                                    std::uint32_t sampleRate);
