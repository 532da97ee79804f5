#include "app/window.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "render/textures.h"

int windowWidth = 640;
int windowHeight = 480;

void onReshape(int width, int height) {
    windowWidth = width;
    windowHeight = height;
    glViewport(0, 0, width, height);
    if (height > 0) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(50.0, static_cast<double>(width) / static_cast<double>(height), 10.0,
                       1700.0);
    }
    glMatrixMode(GL_MODELVIEW);
}

void onKey(unsigned char key, int, int) {
    if (key == 27) {
        glDeleteTextures(4, textureIds);
        std::exit(0);
    }
}
