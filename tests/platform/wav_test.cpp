#include "platform/wav.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "byte_builder.h"

namespace {

// A chunk whose size field says declared, whatever the body holds; no pad byte.
Bytes rawChunk(const char* id, std::uint32_t declared, const Bytes& body) {
    Bytes b(id, id + 4);
    put32(b, declared);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// An honest chunk, padded to an even length.
Bytes chunk(const char* id, const Bytes& body) {
    Bytes b = rawChunk(id, static_cast<std::uint32_t>(body.size()), body);
    if (body.size() % 2 == 1) {
        b.push_back(0);
    }
    return b;
}

Bytes fmtBody(unsigned tag, unsigned channels, std::uint32_t rate, unsigned bits) {
    Bytes b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * bits / 8);
    put16(b, channels * bits / 8);
    put16(b, bits);
    return b;
}

// WAVE_FORMAT_EXTENSIBLE: the real tag sits at the front of the sub-format GUID.
Bytes extensibleBody(unsigned subTag, unsigned channels, std::uint32_t rate, unsigned bits) {
    Bytes b = fmtBody(0xFFFE, channels, rate, bits);
    put16(b, 22);
    put16(b, bits);
    put32(b, channels == 2 ? 3 : 4);
    put16(b, subTag);
    const Bytes guidTail{0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    b.insert(b.end(), guidTail.begin(), guidTail.end());
    return b;
}

Bytes wave(std::initializer_list<Bytes> chunks, std::uint32_t riffSize) {
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, riffSize);
    b.insert(b.end(), {'W', 'A', 'V', 'E'});
    for (const Bytes& c : chunks) {
        b.insert(b.end(), c.begin(), c.end());
    }
    return b;
}

Bytes wave(std::initializer_list<Bytes> chunks) {
    Bytes b = wave(chunks, 0);
    const std::uint32_t riffSize = static_cast<std::uint32_t>(b.size() - 8);
    for (int i = 0; i < 4; ++i) {
        b[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
    }
    return b;
}

const Bytes mono8 = fmtBody(1, 1, 8000, 8);
const Bytes mono16 = fmtBody(1, 1, 22050, 16);
const Bytes stereo16 = fmtBody(1, 2, 44100, 16);
const Bytes samples8{1, 2, 3, 4, 5, 6, 7, 8};

struct DecodeCase {
    const char* name;
    Bytes bytes;
    WavError error;
    // Expected only when error is None.
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
};

TEST(WavDecoder, DecodesOrRefusesEachLayout) {
    const std::vector<DecodeCase> cases{
        {"mono 8-bit", wave({chunk("fmt ", mono8), chunk("data", samples8)}), WavError::None, 1,
         8000, 8, 44, 8},
        {"stereo 16-bit", wave({chunk("fmt ", stereo16), chunk("data", samples8)}), WavError::None,
         2, 44100, 16, 44, 8},
        {"stereo 8-bit, odd rate",
         wave({chunk("fmt ", fmtBody(1, 2, 11111, 8)), chunk("data", samples8)}), WavError::None, 2,
         11111, 8, 44, 8},
        {"extensible PCM",
         wave({chunk("fmt ", extensibleBody(1, 2, 48000, 16)), chunk("data", samples8)}),
         WavError::None, 2, 48000, 16, 68, 8},
        {"extra chunks before data",
         wave({chunk("fmt ", mono16), chunk("LIST", Bytes(10, 'x')), chunk("fact", {1, 0, 0, 0}),
               chunk("data", samples8)}),
         WavError::None, 1, 22050, 16, 44 + 18 + 12, 8},
        {"odd chunk with its pad byte",
         wave({chunk("junk", {9, 9, 9}), chunk("fmt ", mono16), chunk("data", samples8)}),
         WavError::None, 1, 22050, 16, 12 + 12 + 24 + 8, 8},
        {"data before fmt", wave({chunk("data", samples8), chunk("fmt ", mono8)}), WavError::None,
         1, 8000, 8, 20, 8},
        {"second data chunk ignored",
         wave({chunk("fmt ", mono8), chunk("data", {1, 2}), chunk("data", samples8)}),
         WavError::None, 1, 8000, 8, 44, 2},
        // Truncated data: what is there plays, cut to whole frames (7 bytes -> 3 frames of 2).
        {"truncated data chunk",
         wave({chunk("fmt ", mono16), rawChunk("data", 1000, {1, 2, 3, 4, 5, 6, 7})}),
         WavError::None, 1, 22050, 16, 44, 6},
        {"odd data size, whole frames only",
         wave({chunk("fmt ", stereo16), chunk("data", {1, 2, 3, 4, 5, 6, 7})}), WavError::None, 2,
         44100, 16, 44, 4},
        {"RIFF size too small", wave({chunk("fmt ", mono8), chunk("data", samples8)}, 4),
         WavError::None, 1, 8000, 8, 44, 8},
        {"RIFF size too large", wave({chunk("fmt ", mono8), chunk("data", samples8)}, 0xFFFFFFFF),
         WavError::None, 1, 8000, 8, 44, 8},

        {"empty buffer", {}, WavError::NotRiffWave},
        {"header cut short", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V'},
         WavError::NotRiffWave},
        {"big-endian RIFX", Bytes{'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'},
         WavError::NotRiffWave},
        {"RIFF but not WAVE", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '},
         WavError::NotRiffWave},
        {"no chunks at all", wave({}), WavError::NoFormat},
        {"no fmt chunk", wave({chunk("data", samples8)}), WavError::NoFormat},
        {"fmt hidden behind a lying chunk",
         wave({rawChunk("LIST", 500, {0, 0}), chunk("fmt ", mono8), chunk("data", samples8)}),
         WavError::NoFormat},
        {"fmt declares 14 bytes",
         wave({rawChunk("fmt ", 14, Bytes(mono8.begin(), mono8.end() - 2)),
               chunk("data", samples8)}),
         WavError::ShortFormat},
        {"fmt cut by the end of the buffer",
         wave({rawChunk("fmt ", 16, Bytes(mono8.begin(), mono8.begin() + 10))}),
         WavError::ShortFormat},
        {"IEEE float", wave({chunk("fmt ", fmtBody(3, 1, 8000, 32)), chunk("data", samples8)}),
         WavError::NotPcm},
        {"ADPCM", wave({chunk("fmt ", fmtBody(2, 1, 8000, 4)), chunk("data", samples8)}),
         WavError::NotPcm},
        {"extensible float",
         wave({chunk("fmt ", extensibleBody(3, 2, 48000, 32)), chunk("data", samples8)}),
         WavError::NotPcm},
        {"24-bit", wave({chunk("fmt ", fmtBody(1, 1, 8000, 24)), chunk("data", samples8)}),
         WavError::UnsupportedFormat},
        {"three channels", wave({chunk("fmt ", fmtBody(1, 3, 8000, 8)), chunk("data", samples8)}),
         WavError::UnsupportedFormat},
        {"no channels", wave({chunk("fmt ", fmtBody(1, 0, 8000, 8)), chunk("data", samples8)}),
         WavError::UnsupportedFormat},
        {"rate 0", wave({chunk("fmt ", fmtBody(1, 1, 0, 8)), chunk("data", samples8)}),
         WavError::UnsupportedFormat},
        {"no data chunk", wave({chunk("fmt ", mono8), chunk("LIST", {1, 2})}), WavError::NoData},
        {"data behind a chunk claiming 4 GiB",
         wave(
             {chunk("fmt ", mono8), rawChunk("LIST", 0xFFFFFFFF, {1, 2}), chunk("data", samples8)}),
         WavError::NoData},
        {"empty data chunk", wave({chunk("fmt ", mono8), chunk("data", {})}), WavError::NoSamples},
        {"data shorter than one frame", wave({chunk("fmt ", stereo16), chunk("data", {1, 2, 3})}),
         WavError::NoSamples},
    };

    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        WavFormat format;
        format.channels = -1;
        ASSERT_EQ(decodeWav(c.bytes.data(), c.bytes.size(), format), c.error)
            << describeWavError(decodeWav(c.bytes.data(), c.bytes.size(), format));
        if (c.error != WavError::None) {
            EXPECT_EQ(format.channels, -1) << "format written on failure";
            continue;
        }
        EXPECT_EQ(format.channels, c.channels);
        EXPECT_EQ(format.sampleRate, c.rate);
        EXPECT_EQ(format.bitsPerSample, c.bits);
        EXPECT_EQ(format.dataOffset, c.offset);
        EXPECT_EQ(format.dataSize, c.size);
    }
}

// Every prefix of a file sits in a buffer of exactly its length, so that a read past the end
// shows under the address sanitizer; a prefix plays once it holds one whole frame.
TEST(WavDecoder, EveryPrefixStaysInsideItsBuffer) {
    const Bytes file = wave({chunk("junk", {9, 9, 9}), chunk("fmt ", stereo16),
                             chunk("data", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})});
    const std::size_t dataOffset = 12 + 12 + 24 + 8;
    for (std::size_t length = 0; length <= file.size(); ++length) {
        SCOPED_TRACE("prefix of " + std::to_string(length) + " bytes");
        std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[length]);
        std::copy(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length), exact.get());
        WavFormat format;
        const WavError error = decodeWav(exact.get(), length, format);
        if (length < dataOffset + 4) {
            EXPECT_NE(error, WavError::None);
            continue;
        }
        ASSERT_EQ(error, WavError::None);
        EXPECT_EQ(format.dataOffset, dataOffset);
        EXPECT_EQ(format.dataSize, (length - dataOffset) / 4 * 4);
    }
}

} // namespace
