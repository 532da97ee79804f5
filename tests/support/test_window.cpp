#include "test_window.h"

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace {
int windowId = 0;

// Mesa unloads its driver before the leak checker runs at exit, and the driver's allocations
// then show as leaks of an unknown module that no suppression can name. Pinning the loaded
// driver keeps them attributable, so the sanitizer build's leak check stays on for our code.
void pinGraphicsDriver() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}

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
    pinGraphicsDriver();
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
