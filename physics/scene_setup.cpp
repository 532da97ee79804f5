#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

#include "physics/scene.h"

void setUpScene() {
    setUpSceneValues();
    pillarQuadric = gluNewQuadric();
    if (pillarQuadric == nullptr) {
        // Every frame draws the pillars with it: better to stop now than to draw with nothing.
        std::fprintf(stderr, "Spherarium: cannot create the quadric for the pillars\n");
        std::exit(1);
    }
    gluQuadricTexture(pillarQuadric, GL_TRUE);
}
