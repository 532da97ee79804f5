// Spherarium: ten balls in a room, from start-up to the toolkit's main loop.
#include <GL/freeglut.h>

#include "app/controls.h"
#include "app/idle.h"
#include "app/window.h"
#include "physics/scene.h"
#include "render/frame.h"
#include "render/graphics.h"

int main(int argc, char** argv) {
    setUpScene();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Spherarium");
    setUpGraphics();
    glutReshapeFunc(onReshape);
    glutSpecialFunc(onSpecialKey);
    glutKeyboardFunc(onKey);
    glutIdleFunc(stepSimulation);
    glutDisplayFunc(drawFrame);
    glutMainLoop();
    return 0;
}
