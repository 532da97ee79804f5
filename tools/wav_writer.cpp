#include "tools/wav_writer.h"

#include "tools/byte_writer.h"

std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples,
                                    std::uint32_t sampleRate) {
    constexpr std::uint16_t channels = 1;
    constexpr std::uint16_t bitsPerSample = 16;
    constexpr std::uint16_t blockAlign = channels * bitsPerSample / 8;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataSize);
    putTag(out, "RIFF");
    putUint32Le(out, 36 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putUint32Le(out, 16);
    putUint16Le(out, 1); // PCM
    putUint16Le(out, channels);
    putUint32Le(out, sampleRate);
    putUint32Le(out, sampleRate * blockAlign);
    putUint16Le(out, blockAlign);
    putUint16Le(out, bitsPerSample);
    putTag(out, "data");
    putUint32Le(out, dataSize);
    for (std::int16_t sample : samples) {
        putUint16Le(out, static_cast<std::uint16_t>(sample));
    }
    // RIFF chunks are word aligned; mono 16-bit data always is.
    return out;
}
