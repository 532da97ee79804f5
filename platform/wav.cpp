#include "platform/wav.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t chunkHeaderSize = 8;
constexpr std::size_t pcmFormatSize = 16;
constexpr std::size_t extensibleFormatSize = 40;
constexpr std::uint16_t formatPcm = 0x0001;
constexpr std::uint16_t formatExtensible = 0xFFFE;

std::uint16_t readLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t readLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool hasTag(const std::uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

} // namespace

WavError decodeWav(const std::uint8_t* bytes, std::size_t size, WavFormat& format) {
    if (bytes == nullptr || size < 12 || !hasTag(bytes, "RIFF") || !hasTag(bytes + 8, "WAVE")) {
        return WavError::NotRiffWave;
    }

    const std::uint8_t* fmt = nullptr;
    std::size_t fmtSize = 0;
    bool haveData = false;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;

    std::size_t pos = 12;
    while (size - pos >= chunkHeaderSize && (fmt == nullptr || !haveData)) {
        const std::uint8_t* header = bytes + pos;
        const std::size_t body = pos + chunkHeaderSize;
        const std::size_t available = size - body;
        const std::size_t declared = readLe32(header + 4);
        const std::size_t present = std::min(declared, available);

        if (fmt == nullptr && hasTag(header, "fmt ")) {
            fmt = bytes + body;
            fmtSize = present;
            if (fmtSize < pcmFormatSize) {
                return WavError::ShortFormat;
            }
        } else if (!haveData && hasTag(header, "data")) {
            haveData = true;
            dataOffset = body;
            dataSize = present;
        }

        // A size that runs past the buffer leaves nothing after this chunk.
        if (declared >= available) {
            break;
        }
        pos = body + declared + (declared & 1); // at most size, since declared < available
    }

    if (fmt == nullptr) {
        return WavError::NoFormat;
    }
    std::uint16_t tag = readLe16(fmt);
    if (tag == formatExtensible && fmtSize >= extensibleFormatSize) {
        tag = readLe16(fmt + 24); // first two bytes of the sub-format GUID
    }
    if (tag != formatPcm) {
        return WavError::NotPcm;
    }
    const int channels = readLe16(fmt + 2);
    const std::uint32_t rate = readLe32(fmt + 4);
    const int bits = readLe16(fmt + 14);
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0 ||
        rate > 0x7FFFFFFF) {
        return WavError::UnsupportedFormat;
    }
    if (!haveData) {
        return WavError::NoData;
    }
    const std::size_t frameSize = static_cast<std::size_t>(channels) * (bits / 8);
    dataSize -= dataSize % frameSize;
    if (dataSize == 0) {
        return WavError::NoSamples;
    }

    format.channels = channels;
    format.sampleRate = static_cast<int>(rate);
    format.bitsPerSample = bits;
    format.dataOffset = dataOffset;
    format.dataSize = dataSize;
    return WavError::None;
}

const char* describeWavError(WavError error) {
    switch (error) {
    case WavError::None:
        return "no error";
    case WavError::NotRiffWave:
        return "not a RIFF/WAVE file";
    case WavError::NoFormat:
        return "no format chunk";
    case WavError::ShortFormat:
        return "format chunk too short";
    case WavError::NotPcm:
        return "not PCM";
    case WavError::UnsupportedFormat:
        return "unsupported sample format (8 or 16 bits, mono or stereo)";
    case WavError::NoData:
        return "no data chunk";
    case WavError::NoSamples:
        return "no samples";
    }
    return "unknown error";
}
