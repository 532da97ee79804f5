#include "app/idle.h"

#include <GL/freeglut.h>

#include "app/frame_rate.h"
#include "physics/simulation.h"

void stepSimulation() {
    advanceSimulation();
    updateFrameRate();
    glutPostRedisplay();
}
