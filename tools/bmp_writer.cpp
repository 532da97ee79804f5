#include "tools/bmp_writer.h"

#include "tools/byte_writer.h"

std::vector<std::uint8_t> encodeBmp(const Picture& picture) {
    constexpr std::uint32_t headerSize = 54;
    const std::uint32_t rowBytes = picture.width * 3;
    const std::uint32_t stride = (rowBytes + 3u) & ~3u;
    const std::uint32_t imageSize = stride * picture.height;

    std::vector<std::uint8_t> out;
    out.reserve(headerSize + imageSize);
    putTag(out, "BM");
    putUint32Le(out, headerSize + imageSize);
    putUint32Le(out, 0); // two reserved 16-bit fields
    putUint32Le(out, headerSize);

    putUint32Le(out, 40);
    putUint32Le(out, picture.width);
    putUint32Le(out, picture.height); // positive: bottom row first
    putUint16Le(out, 1);
    putUint16Le(out, 24);
    putUint32Le(out, 0); // BI_RGB
    putUint32Le(out, imageSize);
    putUint32Le(out, 2835); // 72 dpi, in pixels per metre
    putUint32Le(out, 2835);
    putUint32Le(out, 0);
    putUint32Le(out, 0);

    for (std::uint32_t row = picture.height; row-- > 0;) {
        const std::uint8_t* pixel = picture.rgb.data() + std::size_t{row} * rowBytes;
        for (std::uint32_t x = 0; x < picture.width; ++x, pixel += 3) {
            out.push_back(pixel[2]);
            out.push_back(pixel[1]);
            out.push_back(pixel[0]);
        }
        out.insert(out.end(), stride - rowBytes, 0);
    }
    return out;
}
