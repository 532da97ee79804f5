#include "physics/scene.h"

int ballCount = 0;
Vector3 ballPositions[maxBalls];
Vector3 ballVelocities[maxBalls];
Vector3 previousPositions[maxBalls];
BoundaryPlane planes[planeCount];
Pillar pillars[pillarCount];
Burst bursts[burstCount];
Vector3 gravity(0.0, -0.05, 0.0);
Vector3 initialVelocity(0.5, -0.1, 0.5);
double timeStep = 0.6;
int soundEnabled = 1;
int followBall = 0;
float sceneAngle = 0.0f;
Vector3 cameraPosition(0.0, -50.0, 1000.0);
Vector3 cameraDirection(0.0, 0.0, -10.0);
GLUquadric* pillarQuadric = nullptr;

void setUpSceneValues() {
    // The collision surfaces lie one ball radius (20) inside what is drawn.
    planes[0].point = Vector3(0, -300, 0);
    planes[0].normal = Vector3(0, 1, 0);
    planes[1].point = Vector3(300, 0, 0);
    planes[1].normal = Vector3(-1, 0, 0);
    planes[2].point = Vector3(-300, 0, 0);
    planes[2].normal = Vector3(1, 0, 0);
    planes[3].point = Vector3(0, 0, 300);
    planes[3].normal = Vector3(0, 0, -1);
    planes[4].point = Vector3(0, 0, -300);
    planes[4].normal = Vector3(0, 0, 1);

    pillars[0].point = Vector3(0, 0, 0);
    pillars[0].direction = Vector3(0, 1, 0);
    pillars[0].radius = 80;
    pillars[1].point = Vector3(200, -300, 0);
    pillars[1].direction = Vector3(0, 0, 1);
    pillars[1].radius = 80;
    pillars[2].point = Vector3(-200, 0, 0);
    pillars[2].direction = Vector3(0, 1, 1);
    pillars[2].direction.normalize();
    pillars[2].radius = 50;

    ballCount = 10;
    for (int i = 0; i < ballCount; ++i) {
        ballVelocities[i] = initialVelocity;
        if (i == 0) {
            ballPositions[i] = Vector3(199, 180, 10);
        } else if (i == 1) {
            ballPositions[i] = Vector3(0, 150, 100);
        } else if (i == 2) {
            ballPositions[i] = Vector3(-100, 180, -100);
        } else {
            // Not clamped to the room: ball 3 starts behind the far wall, ball 4 on it.
            ballPositions[i] = Vector3(75 * i - 500, 300, 50 * i - 500);
        }
    }

    for (Burst& burst : bursts) {
        burst.position = Vector3();
        burst.alpha = 0.0f;
        burst.scale = 1.0f;
    }
}
