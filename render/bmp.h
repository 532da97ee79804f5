// Reader for uncompressed 24-bit BMP files with the common 54-byte header. Every diagnostic is
// printed to standard output; the caller decides what a failure means for the program.
#pragma once

#include <cstdint>
#include <cstdio>

/// One decoded image: red, green, blue per pixel, rows packed without padding, the picture's
/// bottom row first. pixels holds width * height * 3 bytes from malloc; the owner frees it.
struct RgbImage {
    uint32_t width = 0;
    uint32_t height = 0; // number of rows, also for a file stored top-down
    unsigned char* pixels = nullptr;
};

/// Largest width or height the reader accepts; keeps width * height * 3 within 32 bits and a
/// lying header from making us allocate more than about 800 MB.
inline constexpr uint32_t maxBmpSide = 16384;

/// b0 + b1 * 2^8 + b2 * 2^16 + b3 * 2^24 in 32-bit arithmetic; a byte past the end enters as -1.
uint32_t readUint32Le(FILE* stream);
/// b0 + b1 * 2^8, kept to 16 bits; a byte past the end enters as -1.
uint16_t readUint16Le(FILE* stream);

/// Decodes a BMP from an open stream positioned at its first byte; fileName is only used in the
/// messages. Returns 1 with image filled, or 0 after printing why, with image.pixels null.
/// Rows in the file are padded to 4 bytes; the pixel data counts as short when fewer than
/// padded row size * rows bytes follow the header. A negative stored height is a top-down file.
int readBmpFromStream(FILE* stream, const char* fileName, RgbImage& image);
/// Prints "Size of %s is not supported: %lu x %lu\n": a side beyond what we or the GL take.
void reportUnsupportedSize(const char* fileName, uint32_t width, uint32_t height);
/// Opens fileName ("rb"), decodes it with readBmpFromStream and closes it. Returns 1 or 0.
int readBmp(const char* fileName, RgbImage& image);
