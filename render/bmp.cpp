#include "render/bmp.h"

#include <cstdlib>

namespace {

// Skips by reading, so that a stream in memory and a file behave alike past their end.
void skipBytes(FILE* stream, int count) {
    for (int i = 0; i < count; ++i) {
        std::fgetc(stream);
    }
}

// fgetc's end-of-file value, -1, wraps to 0xffffffff and so enters every sum as -1.
uint32_t readByte(FILE* stream) {
    return static_cast<uint32_t>(std::fgetc(stream));
}

int refuseShortData(RgbImage& image, const char* fileName) {
    std::free(image.pixels);
    image.pixels = nullptr;
    std::printf("Error reading image data from %s.\n", fileName);
    return 0;
}

} // namespace

uint32_t readUint32Le(FILE* stream) {
    const uint32_t b0 = readByte(stream);
    const uint32_t b1 = readByte(stream);
    const uint32_t b2 = readByte(stream);
    const uint32_t b3 = readByte(stream);
    return b0 + b1 * (1u << 8) + b2 * (1u << 16) + b3 * (1u << 24);
}

uint16_t readUint16Le(FILE* stream) {
    const uint32_t b0 = readByte(stream);
    const uint32_t b1 = readByte(stream);
    return static_cast<uint16_t>(b0 + b1 * (1u << 8));
}

int readBmpFromStream(FILE* stream, const char* fileName, RgbImage& image) {
    image.pixels = nullptr;
    skipBytes(stream, 18);

    const uint32_t width = readUint32Le(stream);
    std::printf("Width of %s: %lu\n", fileName, static_cast<unsigned long>(width));
    const uint32_t storedHeight = readUint32Le(stream);
    std::printf("Height of %s: %lu\n", fileName, static_cast<unsigned long>(storedHeight));

    // The stored height is signed: negative means the rows run top to bottom.
    const bool topDown = static_cast<int32_t>(storedHeight) < 0;
    const uint32_t rows = topDown ? 0u - storedHeight : storedHeight;
    image.width = width;
    image.height = rows;

    const uint16_t planes = readUint16Le(stream);
    if (planes != 1) {
        std::printf("Planes from %s is not 1: %u\n", fileName, static_cast<unsigned>(planes));
        return 0;
    }
    const uint16_t bitsPerPixel = readUint16Le(stream);
    if (bitsPerPixel != 24) {
        std::printf("Bpp from %s is not 24: %u\n", fileName, static_cast<unsigned>(bitsPerPixel));
        return 0;
    }
    skipBytes(stream, 24);

    // Bounded before allocating, so width * rows * 3 below cannot wrap.
    if (width > maxBmpSide || rows > maxBmpSide) {
        reportUnsupportedSize(fileName, width, rows);
        return 0;
    }
    const uint32_t rowBytes = width * 3;
    const uint32_t byteCount = rowBytes * rows;
    if (byteCount == 0) {
        return refuseShortData(image, fileName);
    }

    image.pixels = static_cast<unsigned char*>(std::malloc(byteCount));
    if (image.pixels == nullptr) {
        std::printf("Error allocating memory for color-corrected image data");
        return 0;
    }

    // File rows are padded to a multiple of 4 bytes, the last one too.
    const uint32_t padding = (4 - rowBytes % 4) % 4;
    unsigned char pad[3];
    for (uint32_t fileRow = 0; fileRow < rows; ++fileRow) {
        const uint32_t row = topDown ? rows - 1 - fileRow : fileRow;
        unsigned char* destination = image.pixels + static_cast<size_t>(row) * rowBytes;
        if (std::fread(destination, rowBytes, 1, stream) != 1) {
            return refuseShortData(image, fileName);
        }
        if (padding != 0 && std::fread(pad, padding, 1, stream) != 1) {
            return refuseShortData(image, fileName);
        }
    }

    // Blue, green, red in the file; red, green, blue for the texture.
    for (uint32_t i = 0; i < byteCount; i += 3) {
        const unsigned char blue = image.pixels[i];
        image.pixels[i] = image.pixels[i + 2];
        image.pixels[i + 2] = blue;
    }
    return 1;
}

void reportUnsupportedSize(const char* fileName, uint32_t width, uint32_t height) {
    std::printf("Size of %s is not supported: %lu x %lu\n", fileName,
                static_cast<unsigned long>(width), static_cast<unsigned long>(height));
}

int readBmp(const char* fileName, RgbImage& image) {
    FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        image.pixels = nullptr;
        std::printf("File Not Found : %s\n", fileName);
        return 0;
    }
    const int result = readBmpFromStream(file, fileName, image);
    std::fclose(file);
    return result;
}
