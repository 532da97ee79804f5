#include "test_window.h"

#include <GL/freeglut.h>

namespace {
int windowId = 0;

void displayNothing() {}
} // namespace

void openTestWindow(int width, int height) {
    if (windowId != 0) {
        glutSetWindow(windowId);
        return;
    }
    int argc = 1;
    char name[] = "spherarium-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(0, 0);
    windowId = glutCreateWindow("Spherarium test");
    glutDisplayFunc(displayNothing);
    pumpEvents();
}

void pumpEvents(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        glutMainLoopEvent();
    }
}

std::array<std::uint8_t, 3> readPixel(int x, int y) {
    std::array<std::uint8_t, 3> rgb{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}
