// The floor under the frame rate: a window of the program's size and mode that only clears and
// swaps, with the same idle-driven loop and the same once-a-second title.
#include <GL/freeglut.h>

#include "app/frame_rate.h"

namespace {
// The same counter and title as the program's, so that the two rates compare like for like.
void idle() {
    updateFrameRate();
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
    fpsLastTime = glutGet(GLUT_ELAPSED_TIME);
    glutIdleFunc(idle);
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
