#include "render/bmp.h"

#include "test_bmp_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

// One decode from bytes in memory, with what it printed; frees the pixels it got.
struct Decoded {
    int result = -1;
    std::string output;
    RgbImage image;

    explicit Decoded(Bytes bytes, const char* name = "t.bmp") {
        bytes.push_back(0); // fmemopen needs a buffer even for an empty file
        FILE* stream = fmemopen(bytes.data(), bytes.size() - 1, "rb");
        output = captureStdout([&] { result = readBmpFromStream(stream, name, image); });
        std::fclose(stream);
    }
    Decoded(const Decoded&) = delete;
    Decoded& operator=(const Decoded&) = delete;
    ~Decoded() { std::free(image.pixels); }
};

std::string sizeLines(const std::string& width, const std::string& height) {
    return "Width of t.bmp: " + width + "\nHeight of t.bmp: " + height + "\n";
}

const std::string readError = "Error reading image data from t.bmp.\n";

TEST(ReadUintLe, LittleEndianWithMissingBytesAsMinusOne) {
    struct Case {
        Bytes bytes;
        std::uint32_t value32;
        std::uint16_t value16;
    };
    const Case cases[] = {
        {{0x78, 0x56, 0x34, 0x12}, 0x12345678u, 0x5678},
        {{0xff, 0xff, 0xff, 0xff}, 0xffffffffu, 0xffff}, // a 255 byte is not end of file
        {{}, 0xfefefeffu, 0xfeff},                       // -1 - 2^8 - 2^16 - 2^24
        {{0x10, 0x00}, 0xfeff0010u, 0x0010},             // 16 - 2^16 - 2^24
    };
    for (const Case& c : cases) {
        Bytes buffer = c.bytes;
        buffer.push_back(0);
        FILE* stream = fmemopen(buffer.data(), c.bytes.size(), "rb");
        EXPECT_EQ(readUint32Le(stream), c.value32);
        std::rewind(stream);
        EXPECT_EQ(readUint16Le(stream), c.value16);
        std::fclose(stream);
    }
}

TEST(ReadBmp, RefusedFilesPrintTheirReasonInOrder) {
    const Bytes data24(24, 0x40); // the pixel data of a 4 x 2 image
    const Bytes full = concat(bmpHeader(4, 2), data24);
    struct Case {
        const char* what;
        Bytes bytes;
        std::string output;
    };
    const Case cases[] = {
        {"planes not 1", concat(bmpHeader(4, 2, 2), data24),
         sizeLines("4", "2") + "Planes from t.bmp is not 1: 2\n"},
        {"planes before bpp", concat(bmpHeader(4, 2, 0, 32), data24),
         sizeLines("4", "2") + "Planes from t.bmp is not 1: 0\n"},
        {"bpp 32", concat(bmpHeader(4, 2, 1, 32), data24),
         sizeLines("4", "2") + "Bpp from t.bmp is not 24: 32\n"},
        {"empty file",
         {},
         sizeLines("4278124287", "4278124287") + "Planes from t.bmp is not 1: 65279\n"},
        {"ends in the skipped bytes", prefix(full, 10),
         sizeLines("4278124287", "4278124287") + "Planes from t.bmp is not 1: 65279\n"},
        // 16 + 0 - 2^16 - 2^24, wrapped to 32 bits
        {"ends in the width", prefix(concat(bmpHeader(16, 2), data24), 20),
         sizeLines("4278124560", "4278124287") + "Planes from t.bmp is not 1: 65279\n"},
        {"ends after the planes", prefix(full, 28),
         sizeLines("4", "2") + "Bpp from t.bmp is not 24: 65279\n"},
        // 24 - 2^8
        {"ends in the bpp", prefix(full, 29),
         sizeLines("4", "2") + "Bpp from t.bmp is not 24: 65304\n"},
        {"ends in the rest of the header", prefix(full, 40), sizeLines("4", "2") + readError},
        {"no pixel data", prefix(full, 54), sizeLines("4", "2") + readError},
        {"short pixel data", prefix(full, 54 + 23), sizeLines("4", "2") + readError},
        {"width 0", concat(bmpHeader(0, 2), data24), sizeLines("0", "2") + readError},
        {"height 0", concat(bmpHeader(4, 0), data24), sizeLines("4", "0") + readError},
        // 3 pixels of 3 bytes take 12 bytes a row in the file, the last row too
        {"odd width, last row unpadded", concat(bmpHeader(3, 2), Bytes(21, 0x40)),
         sizeLines("3", "2") + readError},
        {"width beyond the limit", concat(bmpHeader(16385, 1), Bytes(49156, 0)),
         sizeLines("16385", "1") + "Size of t.bmp is not supported: 16385 x 1\n"},
        {"height beyond the limit", concat(bmpHeader(1, 16385), data24),
         sizeLines("1", "16385") + "Size of t.bmp is not supported: 1 x 16385\n"},
        // 65536 * 65536 * 3 wraps to 0 in 32 bits
        {"byte count beyond 32 bits", concat(bmpHeader(65536, 65536), data24),
         sizeLines("65536", "65536") + "Size of t.bmp is not supported: 65536 x 65536\n"},
        {"top-down beyond the limit", concat(bmpHeader(1, 0u - 16385u), data24),
         sizeLines("1", "4294950911") + "Size of t.bmp is not supported: 1 x 16385\n"},
        {"most negative height", concat(bmpHeader(1, 0x80000000u), data24),
         sizeLines("1", "2147483648") + "Size of t.bmp is not supported: 1 x 2147483648\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded decoded(c.bytes);
        EXPECT_EQ(decoded.result, 0);
        EXPECT_EQ(decoded.output, c.output);
        EXPECT_EQ(decoded.image.pixels, nullptr);
    }
}

// Written out by hand, so that the builder cannot share a mistake with the reader.
TEST(ReadBmp, SwapsBlueAndRedAndKeepsTheBottomRowFirst) {
    const Bytes pixelData = {
        10, 20, 30, 1, 2, 3, 0xee, 0xee, // bottom row, padded from 6 to 8 bytes
        4,  5,  6,  7, 8, 9, 0xee, 0xee, // top row
    };
    const Decoded decoded(concat(bmpHeader(2, 2), pixelData));
    ASSERT_EQ(decoded.result, 1);
    EXPECT_EQ(decoded.output, sizeLines("2", "2"));
    EXPECT_EQ(decoded.image.width, 2u);
    EXPECT_EQ(decoded.image.height, 2u);
    const Bytes expected = {30, 20, 10, 3, 2, 1, 6, 5, 4, 9, 8, 7};
    EXPECT_EQ(Bytes(decoded.image.pixels, decoded.image.pixels + 12), expected);
}

TEST(ReadBmp, AcceptedFilesGiveThePicture) {
    struct Case {
        const char* what;
        Picture picture;
        bool topDown;
        std::size_t surplus;
        std::string heightLine;
    };
    const Case cases[] = {
        {"width a multiple of 4", {4, 2}, false, 0, "2"},
        {"1 x 1", {1, 1}, false, 0, "1"},
        {"width 3, 3 padding bytes a row", {3, 3}, false, 0, "3"},
        {"width 5, 1 padding byte a row", {5, 2}, false, 0, "2"},
        {"top-down, 2 padding bytes a row", {2, 3}, true, 0, "4294967293"},
        {"top-down odd width", {5, 4}, true, 0, "4294967292"},
        {"longer file", {4, 2}, false, 7, "2"},
        {"width at the limit", {16384, 1}, false, 0, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = bmpFile(c.picture, c.topDown);
        file.insert(file.end(), c.surplus, 0x55);
        const Decoded decoded(file);
        ASSERT_EQ(decoded.result, 1);
        EXPECT_EQ(decoded.output, sizeLines(std::to_string(c.picture.width), c.heightLine));
        EXPECT_EQ(decoded.image.width, c.picture.width);
        EXPECT_EQ(decoded.image.height, c.picture.height);
        const std::size_t count = std::size_t(c.picture.width) * c.picture.height * 3;
        EXPECT_EQ(Bytes(decoded.image.pixels, decoded.image.pixels + count),
                  c.picture.rgbBottomFirst());
    }
}

int openDescriptorCount() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return int(std::distance(begin(fds), end(fds)));
}

TEST(ReadBmp, ReadsFilesByNameAndClosesThemOnEveryPath) {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/spherarium-bmp-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path dir = pattern;
    const Picture picture{3, 2};
    writeBytes(dir / "good.bmp", bmpFile(picture));
    writeBytes(dir / "planes.bmp", concat(bmpHeader(4, 2, 3), Bytes(24, 0)));
    writeBytes(dir / "short.bmp", prefix(bmpFile(picture), 60));

    struct Case {
        const char* name;
        int result;
        std::string output; // with NAME for the path
    };
    const Case cases[] = {
        {"good.bmp", 1, "Width of NAME: 3\nHeight of NAME: 2\n"},
        {"planes.bmp", 0, "Width of NAME: 4\nHeight of NAME: 2\nPlanes from NAME is not 1: 3\n"},
        {"short.bmp", 0,
         "Width of NAME: 3\nHeight of NAME: 2\nError reading image data from NAME.\n"},
        {"missing.bmp", 0, "File Not Found : NAME\n"},
    };
    const int openBefore = openDescriptorCount();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / c.name;
        RgbImage image;
        int result = -1;
        const std::string output = captureStdout([&] { result = readBmp(path.c_str(), image); });
        EXPECT_EQ(result, c.result);
        std::string expected = c.output;
        for (std::size_t at; (at = expected.find("NAME")) != std::string::npos;) {
            expected.replace(at, 4, path);
        }
        EXPECT_EQ(output, expected);
        if (result == 1) {
            EXPECT_EQ(Bytes(image.pixels, image.pixels + 18), picture.rgbBottomFirst());
        }
        std::free(image.pixels);
        EXPECT_EQ(openDescriptorCount(), openBefore);
    }
    fs::remove_all(dir);
}

} // namespace
