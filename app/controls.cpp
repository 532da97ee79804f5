#include "app/controls.h"

#include <GL/freeglut.h>

#include "physics/scene.h"

void onSpecialKey(int key, int, int) {
    switch (key) {
    case GLUT_KEY_F1:
        timeStep = timeStep + 0.1;
        break;
    case GLUT_KEY_F2:
        // Unbounded on purpose: the step may reach zero (the scene stops) or go negative.
        timeStep = timeStep - 0.1;
        break;
    case GLUT_KEY_F3:
        followBall = followBall ^ 1;
        sceneAngle = 0.0f;
        break;
    case GLUT_KEY_F4:
        soundEnabled = soundEnabled ^ 1;
        break;
    case GLUT_KEY_LEFT:
        sceneAngle = sceneAngle + 10.0f;
        break;
    case GLUT_KEY_RIGHT:
        sceneAngle = sceneAngle - 10.0f;
        break;
    case GLUT_KEY_UP:
        cameraPosition += Vector3(0, 0, -10);
        break;
    case GLUT_KEY_DOWN:
        cameraPosition += Vector3(0, 0, 10);
        break;
    default:
        break;
    }
    glutPostRedisplay();
}
