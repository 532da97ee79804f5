// The floor under the frame rate: a window of the program's size and mode that only clears and
// swaps, with the same idle-driven loop and the same once-a-second title.
#include <GL/freeglut.h>

#include <cstdio>

namespace {
int lastTime = 0;
int frames = 0;

void idle() {
    const int now = glutGet(GLUT_ELAPSED_TIME);
    if (now - lastTime > 1000) {
        char title[64];
        std::snprintf(title, sizeof title, "Fps:%f",
                      static_cast<double>(frames * 1000 / (now - lastTime)));
        glutSetWindowTitle(title);
        frames = 0;
        lastTime = now;
    } else {
        ++frames;
    }
    glutPostRedisplay();
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}
} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(640, 480);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Empty loop");
    lastTime = glutGet(GLUT_ELAPSED_TIME);
    glutIdleFunc(idle);
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
