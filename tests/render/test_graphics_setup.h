// The graphics of the scene in the one test window: four crafted single-colour images in a
// temporary working directory, so that loadTextures succeeds and each texture shows by colour.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <GL/glu.h>

/// A solid image; widths are multiples of 4 so the file rows need no padding.
struct CraftedImage {
    const char* fileName;
    int width;
    int height;
    std::uint8_t red, green, blue;
};

/// In texture slot order.
inline constexpr CraftedImage craftedImages[4] = {
    {"marble.bmp", 8, 4, 200, 200, 30}, // yellowish
    {"spark.bmp", 16, 16, 255, 255, 255},
    {"boden.bmp", 4, 8, 30, 220, 30}, // green
    {"wand.bmp", 8, 2, 30, 30, 220},  // blue
};

inline void writeCraftedBmp(const CraftedImage& image) {
    const std::uint32_t pixelBytes = std::uint32_t(image.width * image.height * 3);
    unsigned char header[54] = {'B', 'M'};
    auto put = [&header](int offset, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            header[offset + i] = static_cast<unsigned char>(value >> (8 * i));
        }
    };
    put(2, 54 + pixelBytes, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, std::uint32_t(image.width), 4);
    put(22, std::uint32_t(image.height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, pixelBytes, 4);
    FILE* file = std::fopen(image.fileName, "wb");
    if (file == nullptr) {
        std::perror(image.fileName);
        std::exit(1);
    }
    std::fwrite(header, 1, sizeof header, file);
    for (std::uint32_t i = 0; i < pixelBytes / 3; ++i) {
        const unsigned char bgr[3] = {image.blue, image.green, image.red};
        std::fwrite(bgr, 1, 3, file);
    }
    std::fclose(file);
}

/// A working directory holding the crafted images for as long as a test executable runs.
struct ImageDirectory {
    std::filesystem::path previous;
    std::filesystem::path directory;

    void enter() {
        char pattern[] = "/tmp/spherarium-graphics-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        previous = std::filesystem::current_path();
        directory = pattern;
        std::filesystem::current_path(directory);
        for (const CraftedImage& image : craftedImages) {
            writeCraftedBmp(image);
        }
    }
    void leave() {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(directory);
    }
};

/// What the reshape callback does for the test window's 640 x 480.
inline void fitProjectionToTestWindow() {
    glViewport(0, 0, 640, 480);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50.0, 640.0 / 480.0, 10.0, 1700.0);
    glMatrixMode(GL_MODELVIEW);
}
