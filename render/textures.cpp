#include "render/textures.h"

#include "render/bmp.h"

#include <cstdio>
#include <cstdlib>
#include <new>

GLuint textureIds[textureCount];

namespace {

const char* const textureFiles[textureCount] = {"marble.bmp", "spark.bmp", "boden.bmp", "wand.bmp"};

// exit flushes stdio too; flushing first keeps the messages even if that ever changes.
[[noreturn]] void endProgram(int status) {
    std::fflush(stdout);
    std::exit(status);
}

// Buffer first, then the record; a record not read yet has no buffer.
void freeImages(RgbImage* const (&images)[textureCount]) {
    for (RgbImage* image : images) {
        std::free(image->pixels);
        delete image;
    }
}

void makeTexture(GLuint name, const RgbImage& image) {
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Rows are packed at 3 bytes a pixel; with the default alignment of 4, GL would read past
    // the end of each row whose width is not a multiple of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, static_cast<GLsizei>(image.width),
                 static_cast<GLsizei>(image.height), 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

} // namespace

void loadTextures() {
    RgbImage* images[textureCount];
    for (RgbImage*& image : images) {
        image = new (std::nothrow) RgbImage{};
        if (image == nullptr) {
            std::printf("Error allocating space for image");
            endProgram(0);
        }
    }

    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    for (int slot = 0; slot < textureCount; ++slot) {
        if (!readBmp(textureFiles[slot], *images[slot])) {
            freeImages(images);
            endProgram(1);
        }
        // The reader's own limit may exceed what this GL takes; an image it refused would go
        // unnoticed and leave the texture empty.
        const RgbImage& image = *images[slot];
        if (maxSide > 0 && (image.width > static_cast<GLuint>(maxSide) ||
                            image.height > static_cast<GLuint>(maxSide))) {
            reportUnsupportedSize(textureFiles[slot], image.width, image.height);
            freeImages(images);
            endProgram(1);
        }
    }

    glGenTextures(2, &textureIds[0]);
    makeTexture(textureIds[0], *images[0]);
    makeTexture(textureIds[1], *images[1]);
    glGenTextures(2, &textureIds[2]);
    makeTexture(textureIds[2], *images[2]);
    makeTexture(textureIds[3], *images[3]);

    freeImages(images);
}
