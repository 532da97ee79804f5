#include "render/textures.h"

#include "test_bmp_builder.h"
#include "test_window.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const fileNames[textureCount] = {"marble.bmp", "spark.bmp", "boden.bmp", "wand.bmp"};

// Odd widths (padded file rows, tightly packed texture rows) and top-down files in every pair.
struct Source {
    Picture picture;
    bool topDown;
};
const Source sources[textureCount] = {
    {{5, 3}, false},
    {{3, 2}, true},
    {{4, 4}, false},
    {{7, 5}, true},
};

std::string sizeLines(int slot) {
    const Source& s = sources[slot];
    const std::uint32_t stored = s.topDown ? 0u - s.picture.height : s.picture.height;
    return std::string("Width of ") + fileNames[slot] + ": " + std::to_string(s.picture.width) +
           "\nHeight of " + fileNames[slot] + ": " + std::to_string(stored) + "\n";
}

// The four files in a fresh directory that is the working directory while a test runs.
class LoadTextures : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/spherarium-textures-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        previous_ = fs::current_path();
        fs::current_path(dir_);
        writeAll();
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    static void writeAll() {
        for (int slot = 0; slot < textureCount; ++slot) {
            writeBytes(fileNames[slot], bmpFile(sources[slot].picture, sources[slot].topDown));
        }
    }

    fs::path dir_;
    fs::path previous_;
};

GLint levelParameter(GLenum name) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

GLint textureParameter(GLenum name) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

TEST_F(LoadTextures, MakesFourTexturesThatEqualThePictures) {
    openTestWindow();
    const std::string output = captureStdout(loadTextures);
    EXPECT_EQ(output, sizeLines(0) + sizeLines(1) + sizeLines(2) + sizeLines(3));

    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), textureIds[3]);
    GLint unpackAlignment = -1;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    EXPECT_EQ(unpackAlignment, 4);

    for (int slot = 0; slot < textureCount; ++slot) {
        SCOPED_TRACE(fileNames[slot]);
        ASSERT_TRUE(glIsTexture(textureIds[slot]));
        for (int other = 0; other < slot; ++other) {
            EXPECT_NE(textureIds[slot], textureIds[other]);
        }
        glBindTexture(GL_TEXTURE_2D, textureIds[slot]);
        const Picture& picture = sources[slot].picture;
        EXPECT_EQ(levelParameter(GL_TEXTURE_WIDTH), GLint(picture.width));
        EXPECT_EQ(levelParameter(GL_TEXTURE_HEIGHT), GLint(picture.height));
        // Without mipmaps, any other minifying filter would leave the texture incomplete.
        EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), GL_REPEAT);

        // Row 0 of the texture is t = 0: it must be the picture's bottom row.
        Bytes texels(std::size_t(picture.width) * picture.height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        EXPECT_EQ(texels, picture.rgbBottomFirst());
    }
    glDeleteTextures(textureCount, textureIds);
}

// Runs in a re-executed child of its own: the test's window and GLUT are not shared with it.
void loadTexturesWithStdoutOnStderr() {
    // The child ends inside loadTextures, so its fixture never tears down.
    static fs::path childDir;
    childDir = fs::current_path();
    std::atexit([] { fs::remove_all(childDir); });
    openTestWindow();
    std::fflush(stdout);
    dup2(fileno(stderr), fileno(stdout));
    loadTextures();
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::string("\\.^$|()[]{}*+?").find(c) != std::string::npos) {
            out += '\\';
        }
        out += c;
    }
    return out;
}

TEST_F(LoadTextures, EndsWithStatus1AtTheFirstFileThatCannotBeUsed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Case {
        const char* what;
        int slot;
        bool missing;
        Bytes bytes;
        std::string last; // what the failing file prints
    };
    const Case cases[] = {
        {"missing marble", 0, true, {}, "File Not Found : marble.bmp\n"},
        {"missing spark", 1, true, {}, "File Not Found : spark.bmp\n"},
        {"floor with 2 planes", 2, false, concat(bmpHeader(4, 4, 2), Bytes(48, 0)),
         "Width of boden.bmp: 4\nHeight of boden.bmp: 4\nPlanes from boden.bmp is not 1: 2\n"},
        {"floor with 32 bits a pixel", 2, false, concat(bmpHeader(4, 4, 1, 32), Bytes(64, 0)),
         "Width of boden.bmp: 4\nHeight of boden.bmp: 4\nBpp from boden.bmp is not 24: 32\n"},
        {"wall ending in its header", 3, false, prefix(bmpHeader(4, 4), 26),
         "Width of wand.bmp: 4\nHeight of wand.bmp: 4\nPlanes from wand.bmp is not 1: 65279\n"},
        {"wall of width 0", 3, false, bmpHeader(0, 4),
         "Width of wand.bmp: 0\nHeight of wand.bmp: 4\nError reading image data from wand.bmp.\n"},
        {"wall with short pixel data", 3, false, concat(bmpHeader(3, 2), Bytes(21, 0)),
         "Width of wand.bmp: 3\nHeight of wand.bmp: 2\nError reading image data from wand.bmp.\n"},
        {"wall too wide", 3, false, bmpHeader(20000, 1),
         "Width of wand.bmp: 20000\nHeight of wand.bmp: 1\n"
         "Size of wand.bmp is not supported: 20000 x 1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeAll();
        if (c.missing) {
            fs::remove(fileNames[c.slot]);
        } else {
            writeBytes(fileNames[c.slot], c.bytes);
        }
        // The earlier files' lines, the failing file's, then nothing: later files are not tried.
        std::string expected;
        for (int slot = 0; slot < c.slot; ++slot) {
            expected += sizeLines(slot);
        }
        expected += c.last;
        EXPECT_EXIT(loadTexturesWithStdoutOnStderr(), ::testing::ExitedWithCode(1),
                    escaped(expected) + "$");
    }
}

} // namespace
