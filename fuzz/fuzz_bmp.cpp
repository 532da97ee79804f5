// libFuzzer target: arbitrary bytes through the BMP reader, as a file in memory.
#include "render/bmp.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader's messages would drown the fuzzer's own report, which goes to stderr.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<unsigned char> buffer(data, data + size);
    buffer.push_back(0); // fmemopen needs a buffer even for an empty input
    FILE* stream = fmemopen(buffer.data(), size, "rb");
    if (stream == nullptr) {
        return 0;
    }
    RgbImage image;
    const int result = readBmpFromStream(stream, "fuzz.bmp", image);
    std::fclose(stream);

    if (result != 1) {
        if (result != 0 || image.pixels != nullptr) {
            __builtin_trap();
        }
        return 0;
    }
    // A decoded image is within the limits and came from a file holding every padded row.
    const std::size_t rowBytes = std::size_t(image.width) * 3;
    const std::size_t stride = (rowBytes + 3) / 4 * 4;
    if (image.pixels == nullptr || image.width == 0 || image.height == 0 ||
        image.width > maxBmpSide || image.height > maxBmpSide ||
        size < 54 + stride * image.height) {
        __builtin_trap();
    }
    // Touch every byte, so that the sanitizer sees a buffer shorter than width * height * 3.
    unsigned sum = 0;
    for (std::size_t i = 0; i < rowBytes * image.height; ++i) {
        sum += image.pixels[i];
    }
    volatile unsigned sink = sum;
    (void)sink;
    std::free(image.pixels);
    return 0;
}
