// Builds small BMP files in memory for the reader and texture tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

/// A picture with a distinct colour per pixel; row 0 is the bottom row.
struct Picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    std::uint8_t red(std::uint32_t x, std::uint32_t) const { return std::uint8_t(10 + 20 * x); }
    std::uint8_t green(std::uint32_t x, std::uint32_t y) const {
        return std::uint8_t(15 + 30 * y + x);
    }
    std::uint8_t blue(std::uint32_t x, std::uint32_t y) const {
        return std::uint8_t(200 - 7 * x - 11 * y);
    }

    /// Red, green, blue per pixel, bottom row first, rows packed.
    Bytes rgbBottomFirst() const {
        Bytes out;
        for (std::uint32_t y = 0; y < height; ++y) {
            for (std::uint32_t x = 0; x < width; ++x) {
                out.insert(out.end(), {red(x, y), green(x, y), blue(x, y)});
            }
        }
        return out;
    }
};

inline Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

/// The first count bytes: a file cut short.
inline Bytes prefix(const Bytes& bytes, std::size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + count);
}

inline void putLe(Bytes& bytes, std::size_t offset, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[offset + i] = std::uint8_t(value >> (8 * i));
    }
}

/// The 54-byte header with the given fields; the rest is what a writer would put there.
inline Bytes bmpHeader(std::uint32_t width, std::uint32_t storedHeight, std::uint16_t planes = 1,
                       std::uint16_t bitsPerPixel = 24) {
    Bytes header(54, 0);
    header[0] = 'B';
    header[1] = 'M';
    putLe(header, 10, 54, 4);
    putLe(header, 14, 40, 4);
    putLe(header, 18, width, 4);
    putLe(header, 22, storedHeight, 4);
    putLe(header, 26, planes, 2);
    putLe(header, 28, bitsPerPixel, 2);
    return header;
}

/// A complete 24-bit file: blue, green, red per pixel, rows padded to 4 bytes with padByte, so
/// that padding read as pixels shows. topDown stores the negated height and the top row first.
inline Bytes bmpFile(const Picture& picture, bool topDown = false, std::uint8_t padByte = 0xEE) {
    const std::uint32_t stored = topDown ? 0u - picture.height : picture.height;
    Bytes file = bmpHeader(picture.width, stored);
    const std::uint32_t padding = (4 - picture.width * 3 % 4) % 4;
    for (std::uint32_t fileRow = 0; fileRow < picture.height; ++fileRow) {
        const std::uint32_t y = topDown ? picture.height - 1 - fileRow : fileRow;
        for (std::uint32_t x = 0; x < picture.width; ++x) {
            file.insert(file.end(), {picture.blue(x, y), picture.green(x, y), picture.red(x, y)});
        }
        file.insert(file.end(), padding, padByte);
    }
    putLe(file, 2, std::uint32_t(file.size()), 4);
    return file;
}

inline void writeBytes(const std::string& path, const Bytes& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

/// Runs run() with standard output going to a temporary file and returns what it printed.
template <class Run> std::string captureStdout(Run&& run) {
    std::fflush(stdout);
    FILE* sink = std::tmpfile();
    const int saved = dup(fileno(stdout));
    dup2(fileno(sink), fileno(stdout));
    run();
    std::fflush(stdout);
    dup2(saved, fileno(stdout));
    close(saved);
    std::string text;
    std::rewind(sink);
    for (int c = std::fgetc(sink); c != EOF; c = std::fgetc(sink)) {
        text += char(c);
    }
    std::fclose(sink);
    return text;
}
