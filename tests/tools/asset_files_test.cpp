#include "tools/asset_set.h"
#include "tools/bmp_writer.h"
#include "tools/explosion_sound.h"
#include "tools/textures.h"
#include "tools/wav_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t u16(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

std::uint32_t u32(const Bytes& b, std::size_t at) {
    return u16(b, at) | (static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}

std::string tag(const Bytes& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

const AssetFile& assetNamed(const std::vector<AssetFile>& files, const std::string& name) {
    for (const AssetFile& file : files) {
        if (file.name == name) {
            return file;
        }
    }
    ADD_FAILURE() << "no asset " << name;
    return files.front();
}

// Mean colour over all pixels, 0..255 per channel.
struct MeanColour {
    double r = 0, g = 0, b = 0;
};

MeanColour meanColour(const Picture& p) {
    MeanColour m;
    for (std::size_t i = 0; i < p.rgb.size(); i += 3) {
        m.r += p.rgb[i];
        m.g += p.rgb[i + 1];
        m.b += p.rgb[i + 2];
    }
    const double n = p.rgb.size() / 3.0;
    return {m.r / n, m.g / n, m.b / n};
}

// Mean absolute channel difference between columns a and b (or rows, when `rows`).
double lineDifference(const Picture& p, std::uint32_t a, std::uint32_t b, bool rows) {
    double sum = 0;
    const std::uint32_t length = rows ? p.width : p.height;
    for (std::uint32_t i = 0; i < length; ++i) {
        for (int c = 0; c < 3; ++c) {
            const std::size_t pa =
                rows ? (std::size_t{a} * p.width + i) : (std::size_t{i} * p.width + a);
            const std::size_t pb =
                rows ? (std::size_t{b} * p.width + i) : (std::size_t{i} * p.width + b);
            sum += std::abs(int{p.rgb[pa * 3 + c]} - int{p.rgb[pb * 3 + c]});
        }
    }
    return sum / (length * 3.0);
}

} // namespace

TEST(BmpEncoder, WritesBottomRowFirstInBlueGreenRedWithPaddedRows) {
    // 3 x 2: rows of 9 bytes padded to 12, so the padding path is exercised too.
    Picture p = makePicture(3, 2);
    setPixel(p, 0, 0, 1.0, 0.0, 0.0);                      // top left: red
    setPixel(p, 0, 1, 10 / 255.0, 20 / 255.0, 30 / 255.0); // bottom left
    const Bytes bmp = encodeBmp(p);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(u32(bmp, 2), bmp.size());
    EXPECT_EQ(u32(bmp, 34), 24u); // image size
    EXPECT_EQ((Bytes{bmp.begin() + 54, bmp.begin() + 57}), (Bytes{30, 20, 10}));
    EXPECT_EQ((Bytes{bmp.begin() + 63, bmp.begin() + 66}), (Bytes{0, 0, 0})); // row padding
    EXPECT_EQ((Bytes{bmp.begin() + 66, bmp.begin() + 69}), (Bytes{0, 0, 255}));
}

TEST(AssetFiles, ImagesHaveTheHeaderTheTextureReaderAccepts) {
    const std::vector<AssetFile> files = makeAssetFiles();
    struct Case {
        const char* name;
        std::uint32_t size;
    };
    for (const Case& c : {Case{"marble.bmp", 256}, Case{"spark.bmp", 128}, Case{"boden.bmp", 256},
                          Case{"wand.bmp", 256}}) {
        SCOPED_TRACE(c.name);
        const Bytes& b = assetNamed(files, c.name).bytes;
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(u32(b, 2), b.size());
        EXPECT_EQ(b.size(), 54u + c.size * c.size * 3);
        EXPECT_EQ(u32(b, 10), 54u); // pixel data offset
        EXPECT_EQ(u32(b, 14), 40u); // info header size
        EXPECT_EQ(u32(b, 18), c.size);
        EXPECT_EQ(u32(b, 22), c.size);
        EXPECT_EQ(u16(b, 26), 1u);  // planes
        EXPECT_EQ(u16(b, 28), 24u); // bits per pixel
        EXPECT_EQ(u32(b, 30), 0u);  // BI_RGB
        EXPECT_EQ(c.size % 4, 0u);  // rows need no padding, as the reader assumes
    }
}

TEST(AssetFiles, AreTheSameBytesEveryTime) {
    const std::vector<AssetFile> first = makeAssetFiles();
    const std::vector<AssetFile> second = makeAssetFiles();
    ASSERT_EQ(first.size(), 5u);
    const char* names[] = {"marble.bmp", "spark.bmp", "boden.bmp", "wand.bmp", "Explode.wav"};
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].name, names[i]);
        EXPECT_EQ(first[i].bytes, second[i].bytes) << first[i].name;
    }
}

TEST(Textures, SparkIsBlackAlongTheBorderAndBrightInTheCentre) {
    const Picture spark = makeSpark();
    const std::uint32_t n = spark.width;
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t at : {i, (n - 1) * n + i, i * n, i * n + n - 1}) {
            ASSERT_EQ(spark.rgb[at * 3] | spark.rgb[at * 3 + 1] | spark.rgb[at * 3 + 2], 0)
                << "border pixel " << at;
        }
    }
    const std::size_t centre = (std::size_t{n / 2} * n + n / 2) * 3;
    EXPECT_GE(spark.rgb[centre], 240);     // red
    EXPECT_GE(spark.rgb[centre + 1], 240); // green: the scene tints it yellow
}

TEST(Textures, FloorAndWallLookClearlyDifferent) {
    const MeanColour floor = meanColour(makeFloor());
    const MeanColour wall = meanColour(makeWall());
    const double distance = std::hypot(floor.r - wall.r, floor.g - wall.g, floor.b - wall.b);
    EXPECT_GT(distance, 40.0);
}

TEST(Textures, RepeatWithoutASeam) {
    // The step across the wrap must look like an ordinary one: no larger than twice the mean step
    // or the step across the middle line, which meets the same joints as the wrap does in the
    // slab and brick patterns.
    struct Case {
        const char* name;
        Picture picture;
    };
    for (const Case& c :
         {Case{"marble", makeMarble()}, Case{"floor", makeFloor()}, Case{"wall", makeWall()}}) {
        SCOPED_TRACE(c.name);
        const Picture& p = c.picture;
        for (bool rows : {false, true}) {
            const std::uint32_t n = rows ? p.height : p.width;
            double mean = 0;
            for (std::uint32_t i = 0; i + 1 < n; ++i) {
                mean += lineDifference(p, i, i + 1, rows);
            }
            mean /= n - 1;
            const double middle = lineDifference(p, n / 2 - 1, n / 2, rows);
            EXPECT_LT(lineDifference(p, n - 1, 0, rows), 2.0 * std::max(mean, middle) + 2.0)
                << (rows ? "top/bottom" : "left/right");
        }
    }
}

TEST(ExplosionSound, IsAShortUnclippedThumpWithAFastAttack) {
    const Bytes wav = encodeWav(makeExplosionSound(), explosionSampleRate);
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(tag(wav, 0), "RIFF");
    EXPECT_EQ(u32(wav, 4), wav.size() - 8);
    EXPECT_EQ(tag(wav, 8), "WAVE");
    EXPECT_EQ(tag(wav, 12), "fmt ");
    EXPECT_EQ(u32(wav, 16), 16u);
    EXPECT_EQ(u16(wav, 20), 1u); // PCM
    EXPECT_EQ(u16(wav, 22), 1u); // mono
    const std::uint32_t rate = u32(wav, 24);
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
    EXPECT_EQ(u32(wav, 28), rate * 2); // byte rate
    EXPECT_EQ(u16(wav, 32), 2u);       // block align
    EXPECT_EQ(u16(wav, 34), 16u);
    EXPECT_EQ(tag(wav, 36), "data");
    ASSERT_EQ(u32(wav, 40), wav.size() - 44);

    std::vector<int> samples;
    for (std::size_t at = 44; at + 1 < wav.size(); at += 2) {
        samples.push_back(static_cast<std::int16_t>(u16(wav, at)));
    }
    const double seconds = static_cast<double>(samples.size()) / rate;
    EXPECT_GT(seconds, 0.4);
    EXPECT_LT(seconds, 0.6);

    int peak = 0;
    for (int s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    const double peakDb = 20 * std::log10(peak / 32768.0);
    EXPECT_LT(peak, 32767);
    EXPECT_GT(peakDb, -1.5);
    EXPECT_LT(peakDb, -0.5);

    auto meanSquare = [&](std::size_t from, std::size_t to) {
        double sum = 0;
        for (std::size_t i = from; i < to; ++i) {
            sum += static_cast<double>(samples[i]) * samples[i];
        }
        return sum / static_cast<double>(to - from);
    };
    const std::size_t first20ms = rate / 50;
    const std::size_t last100ms = rate / 10;
    EXPECT_GT(meanSquare(0, first20ms),
              100.0 * meanSquare(samples.size() - last100ms, samples.size()));
    EXPECT_LT(std::abs(samples.back()), 100); // no click when playback stops
}

TEST(WriteAssetFiles, WritesEveryFileOrNamesTheOneItCouldNotWrite) {
    const std::filesystem::path root =
        std::filesystem::path(testing::TempDir()) / "spherarium_asset_files_test";
    std::filesystem::remove_all(root);
    const std::vector<AssetFile> files = {{"one.bmp", {1, 2, 3}}, {"two.wav", {}}};

    const std::filesystem::path folder = root / "new" / "assets";
    std::ostringstream errors;
    ASSERT_EQ(writeAssetFiles(files, folder.string(), errors), 0) << errors.str();
    for (const AssetFile& file : files) {
        std::ifstream in(folder / file.name, std::ios::binary);
        const Bytes written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(written, file.bytes) << file.name;
    }

    struct Case {
        const char* what;
        std::filesystem::path folder;
        std::string named;
    };
    std::ofstream(root / "plain_file") << "x";
    std::filesystem::create_directories(root / "taken" / "two.wav");
    for (const Case& c : {Case{"folder under a file", root / "plain_file" / "assets",
                               (root / "plain_file" / "assets").string()},
                          Case{"asset name taken by a folder", root / "taken",
                               (root / "taken" / "two.wav").string()}}) {
        SCOPED_TRACE(c.what);
        std::ostringstream failure;
        EXPECT_EQ(writeAssetFiles(files, c.folder.string(), failure), 1);
        EXPECT_NE(failure.str().find(c.named), std::string::npos) << failure.str();
    }
    std::filesystem::remove_all(root);
}
