#include "render/graphics.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "app/frame_rate.h"
#include "render/textures.h"

GLuint burstListId = 0;

namespace {

struct SpriteVertex {
    GLfloat s, t;
    GLfloat x, y, z;
};

struct SpriteQuad {
    GLfloat normal[3];
    SpriteVertex vertices[4];
};

// Each rectangle twice, once wound counter-clockwise from either side.
constexpr SpriteQuad spriteQuads[4] = {
    {{0, 0, 1}, {{0, 0, -50, -40, 0}, {0, 1, 50, -40, 0}, {1, 1, 50, 40, 0}, {1, 0, -50, 40, 0}}},
    {{0, 0, -1}, {{0, 0, -50, 40, 0}, {0, 1, 50, 40, 0}, {1, 1, 50, -40, 0}, {1, 0, -50, -40, 0}}},
    {{1, 0, 0}, {{0, 0, 0, -40, 50}, {0, 1, 0, -40, -50}, {1, 1, 0, 40, -50}, {1, 0, 0, 40, 50}}},
    {{-1, 0, 0}, {{0, 0, 0, 40, 50}, {0, 1, 0, 40, -50}, {1, 1, 0, -40, -50}, {1, 0, 0, -40, 50}}},
};

void compileBurstList() {
    burstListId = glGenLists(1);
    glNewList(burstListId, GL_COMPILE);
    // Seen along z, both rectangles then stand at 45 degrees.
    glRotatef(-45.0f, 0.0f, 1.0f, 0.0f);
    glBegin(GL_QUADS);
    for (const SpriteQuad& quad : spriteQuads) {
        glNormal3f(quad.normal[0], quad.normal[1], quad.normal[2]);
        for (const SpriteVertex& vertex : quad.vertices) {
            glTexCoord2f(vertex.s, vertex.t);
            glVertex3f(vertex.x, vertex.y, vertex.z);
        }
    }
    glEnd();
    glEndList();
}

} // namespace

void setUpGraphics() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    // Replaced by the reshape callback before the first frame.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50.0, 1.0, 10.0, 1700.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);

    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat shininess[] = {100.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_SHININESS, shininess);

    glEnable(GL_LIGHTING);
    // Given under the identity, so the light rides with the eye whatever the camera does.
    const GLfloat lightPosition[] = {0.0f, 400.0f, 0.0f, 1.0f};
    const GLfloat lightAmbient[] = {0.3f, 0.3f, 0.3f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glEnable(GL_LIGHT0);
    const GLfloat modelAmbient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);

    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);

    loadTextures();
    compileBurstList();

    // After the images are read, so their loading does not count in the first interval.
    fpsLastTime = glutGet(GLUT_ELAPSED_TIME);
}
