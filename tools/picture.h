// Picture: an RGB image being generated, before it is encoded to a file.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // Red, green, blue per pixel; rows top first (as a viewer shows them), no padding.
    std::vector<std::uint8_t> rgb;
};

/// A black picture of width x height.
Picture makePicture(std::uint32_t width, std::uint32_t height);

/// Stores a colour given as 0..1 per channel (clamped, rounded) at column x, row y (top first).
void setPixel(Picture& picture, std::uint32_t x, std::uint32_t y, double r, double g, double b);

/// Reverses the row order.
void flipRows(Picture& picture);
