#include "render/frame.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "physics/scene.h"
#include "render/graphics.h"
#include "render/textures.h"

namespace {

constexpr int marbleSlot = 0;
constexpr int sparkSlot = 1;
constexpr int floorSlot = 2;
constexpr int wallSlot = 3;

struct Colour {
    GLfloat red, green, blue;
};

// By ball index; every ball from 9 on is red like ball 0.
constexpr Colour ballColours[] = {
    {1.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 0.0f},  {0.0f, 1.0f, 1.0f},
    {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.65f, 0.2f, 0.3f}, {1.0f, 0.0f, 1.0f},
    {0.0f, 0.7f, 0.4f}, {1.0f, 0.0f, 0.0f},
};
constexpr int lastBallColour = sizeof(ballColours) / sizeof(ballColours[0]) - 1;

struct RoomVertex {
    GLfloat s, t;
    GLfloat x, y, z;
};

// Wound counter-clockwise from inside, so a wall seen from outside the room is culled. No normal:
// the room is lit with whatever normal the last sphere left current.
constexpr RoomVertex wallVertices[4][4] = {
    {{1, 0, 320, 320, 320},
     {1, 1, 320, -320, 320},
     {0, 1, -320, -320, 320},
     {0, 0, -320, 320, 320}},
    {{1, 0, -320, 320, -320},
     {1, 1, -320, -320, -320},
     {0, 1, 320, -320, -320},
     {0, 0, 320, 320, -320}},
    {{1, 0, 320, 320, -320},
     {1, 1, 320, -320, -320},
     {0, 1, 320, -320, 320},
     {0, 0, 320, 320, 320}},
    {{1, 0, -320, 320, 320},
     {1, 1, -320, -320, 320},
     {0, 1, -320, -320, -320},
     {0, 0, -320, 320, -320}},
};
constexpr RoomVertex floorVertices[4] = {{1, 0, -320, -320, 320},
                                         {1, 1, 320, -320, 320},
                                         {0, 1, 320, -320, -320},
                                         {0, 0, -320, -320, -320}};

void sendQuad(const RoomVertex (&quad)[4]) {
    for (const RoomVertex& vertex : quad) {
        glTexCoord2f(vertex.s, vertex.t);
        glVertex3f(vertex.x, vertex.y, vertex.z);
    }
}

void placeCamera() {
    constexpr double up[3] = {0.0, 1.0, 0.0};
    if (followBall != 0) {
        const Vector3& ball = ballPositions[0];
        const Vector3 target = ball + ballVelocities[0];
        gluLookAt(ball.x() + 250.0, ball.y() + 250.0, ball.z(), target.x(), target.y(), target.z(),
                  up[0], up[1], up[2]);
    } else {
        const Vector3 target = cameraPosition + cameraDirection;
        gluLookAt(cameraPosition.x(), cameraPosition.y(), cameraPosition.z(), target.x(),
                  target.y(), target.z(), up[0], up[1], up[2]);
    }
}

void drawBalls() {
    for (int i = 0; i < ballCount; ++i) {
        const Colour& colour = ballColours[i < lastBallColour ? i : lastBallColour];
        glColor3f(colour.red, colour.green, colour.blue);
        glPushMatrix();
        const Vector3& position = ballPositions[i];
        glTranslatef(static_cast<GLfloat>(position.x()), static_cast<GLfloat>(position.y()),
                     static_cast<GLfloat>(position.z()));
        glutSolidSphere(20.0, 20, 20);
        glPopMatrix();
    }
}

void drawRoom() {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureIds[wallSlot]);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    for (const auto& wall : wallVertices) {
        sendQuad(wall);
    }
    glEnd();
    glBindTexture(GL_TEXTURE_2D, textureIds[floorSlot]);
    glBegin(GL_QUADS);
    sendQuad(floorVertices);
    glEnd();
}

// Tubes run along +z of their own frame from z = 0; each is 1000 long, centred by the last
// translation, and drawn 20 thinner than the surface the physics collides with.
void drawPillars() {
    glBindTexture(GL_TEXTURE_2D, textureIds[marbleSlot]);
    glColor3f(0.5f, 0.5f, 0.5f);

    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -500.0f);
    gluCylinder(pillarQuadric, 60.0, 60.0, 1000.0, 20, 2);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(200.0f, -300.0f, -500.0f);
    gluCylinder(pillarQuadric, 60.0, 60.0, 1000.0, 20, 2);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-200.0f, 0.0f, 0.0f);
    glRotatef(135.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -500.0f);
    gluCylinder(pillarQuadric, 30.0, 30.0, 1000.0, 20, 2);
    glPopMatrix();
}

// Additive glow, depth-tested but leaving the depth buffer alone.
void drawBursts() {
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, textureIds[sparkSlot]);
    for (Burst& burst : bursts) {
        if (burst.alpha < 0.0f) {
            continue;
        }
        glPushMatrix();
        ageBurst(burst);
        glColor4f(1.0f, 1.0f, 0.0f, burst.alpha);
        glScalef(burst.scale, burst.scale, burst.scale);
        // Undo the scale on the offset so the sprite's centre lands on the burst's position.
        const Vector3& position = burst.position;
        glTranslatef(static_cast<GLfloat>(position.x() / burst.scale),
                     static_cast<GLfloat>(position.y() / burst.scale),
                     static_cast<GLfloat>(position.z() / burst.scale));
        glCallList(burstListId);
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

} // namespace

bool ageBurst(Burst& burst) {
    if (burst.alpha < 0.0f) {
        return false;
    }
    burst.alpha = burst.alpha - 0.01f;
    burst.scale = burst.scale + 0.03f;
    return true;
}

void drawFrame() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    placeCamera();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRotatef(sceneAngle, 0.0f, 1.0f, 0.0f);

    drawBalls();
    drawRoom();
    drawPillars();
    drawBursts();

    glDisable(GL_TEXTURE_2D);
    glutSwapBuffers();
}
