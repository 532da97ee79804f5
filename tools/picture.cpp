#include "tools/picture.h"

#include <algorithm>
#include <cmath>

Picture makePicture(std::uint32_t width, std::uint32_t height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(std::size_t{width} * height * 3, 0);
    return picture;
}

static std::uint8_t toByte(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

void setPixel(Picture& picture, std::uint32_t x, std::uint32_t y, double r, double g, double b) {
    const std::size_t at = (std::size_t{y} * picture.width + x) * 3;
    picture.rgb[at] = toByte(r);
    picture.rgb[at + 1] = toByte(g);
    picture.rgb[at + 2] = toByte(b);
}

void flipRows(Picture& picture) {
    const std::size_t stride = std::size_t{picture.width} * 3;
    for (std::uint32_t top = 0, bottom = picture.height; top + 1 < bottom; ++top, --bottom) {
        std::swap_ranges(picture.rgb.begin() + top * stride,
                         picture.rgb.begin() + (top + 1) * stride,
                         picture.rgb.begin() + (bottom - 1) * stride);
    }
}
