// WAV decoding from a byte buffer: finds the PCM samples of a RIFF/WAVE file in memory.
//
// Conventions
// - Accepted: integer PCM (format tag 1, or the extensible tag with a PCM sub-format), 8 bits
//   (unsigned) or 16 bits (signed little-endian), one or two interleaved channels, any rate > 0.
// - Never reads outside [bytes, bytes + size). Chunks are walked to the end of the buffer; the RIFF
//   size field is ignored, since writers that stream often leave it wrong.
// - Chunks before "data" are skipped, odd-sized ones with their pad byte. The first "fmt " and
//   the first "data" chunk count; "data" may come before "fmt ".
// - A data chunk that claims more bytes than the buffer holds is taken as far as it goes: a
//   truncated file still plays what it has. The samples are cut to whole frames.
#pragma once

#include <cstddef>
#include <cstdint>

enum class WavError {
    None,
    NotRiffWave,       // shorter than 12 bytes, or no "RIFF" ... "WAVE" header
    NoFormat,          // no complete "fmt " chunk header before the buffer ends
    ShortFormat,       // "fmt " chunk with fewer than 16 bytes of body
    NotPcm,            // compressed or floating-point samples
    UnsupportedFormat, // PCM, but not 8/16 bits, 1/2 channels and a rate > 0
    NoData,            // no "data" chunk that the walk could reach
    NoSamples,         // a data chunk without one whole frame
};

struct WavFormat {
    int channels = 0;
    int sampleRate = 0;         // frames per second
    int bitsPerSample = 0;      // 8 or 16
    std::size_t dataOffset = 0; // first sample byte, from the start of the buffer
    std::size_t dataSize = 0;   // bytes of whole frames
};

/// Decodes the size bytes at bytes; sets format only when the result is WavError::None.
WavError decodeWav(const std::uint8_t* bytes, std::size_t size, WavFormat& format);

/// A short lower-case text for the error, for a diagnostic line.
const char* describeWavError(WavError error);
