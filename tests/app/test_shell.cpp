// The window callbacks and the keys, in a real window.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/controls.h"
#include "app/window.h"
#include "physics/scene.h"
#include "test_window.h"

namespace {

int displayCalls = 0;
void countDisplay() {
    ++displayCalls;
}

class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        openTestWindow();
        glutDisplayFunc(countDisplay);
        pumpEvents();
        setUpSceneValues();
        timeStep = 0.6;
        followBall = 0;
        soundEnabled = 1;
        sceneAngle = 0.0f;
        cameraPosition = Vector3(0, -50, 1000);
    }

    static void press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            onSpecialKey(key, 0, 0);
        }
    }

    static int redisplaysAfter(void (*action)()) {
        pumpEvents();
        const int before = displayCalls;
        action();
        pumpEvents();
        return displayCalls - before;
    }
};

// The projection that gluPerspective(50, aspect, 10, 1700) gives; [0] holds f / aspect, [5] f.
void expectAspect(double aspect) {
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const double f = 1.0 / std::tan(25.0 * std::numbers::pi / 180.0);
    EXPECT_NEAR(projection[5], f, 1e-6);
    EXPECT_NEAR(projection[0], f / aspect, 1e-6);
    EXPECT_NEAR(projection[10], -(1700.0 + 10.0) / (1700.0 - 10.0), 1e-6);
}

TEST_F(Shell, ReshapeSetsViewportProjectionAndSize) {
    struct Case {
        int width, height;
        double aspect;
    } cases[] = {{640, 480, 4.0 / 3.0}, {800, 600, 4.0 / 3.0}, {300, 600, 0.5}, {1, 1, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        onReshape(c.width, c.height);
        EXPECT_EQ(windowWidth, c.width);
        EXPECT_EQ(windowHeight, c.height);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], c.width);
        EXPECT_EQ(viewport[3], c.height);
        expectAspect(c.aspect);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
}

TEST_F(Shell, ZeroHeightKeepsThePreviousProjection) {
    onReshape(800, 600);
    onReshape(640, 0);
    EXPECT_EQ(windowHeight, 0);
    expectAspect(4.0 / 3.0);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    onReshape(640, 480);
}

TEST_F(Shell, TimeStepKeys) {
    press(GLUT_KEY_F1, 4);
    EXPECT_EQ(timeStep, 0.9999999999999999);
    timeStep = 0.6;
    press(GLUT_KEY_F2, 6);
    EXPECT_GT(timeStep, 0.0);
    EXPECT_LT(timeStep, zeroTolerance); // about 3e-17: the scene stands still, it is not 0
    press(GLUT_KEY_F2);
    EXPECT_NEAR(timeStep, -0.1, 1e-15);
}

TEST_F(Shell, TogglesAndTheSceneAngle) {
    sceneAngle = 123.0f;
    press(GLUT_KEY_F3);
    EXPECT_EQ(followBall, 1);
    EXPECT_EQ(sceneAngle, 0.0f);
    sceneAngle = 55.0f;
    press(GLUT_KEY_F3);
    EXPECT_EQ(followBall, 0);
    EXPECT_EQ(sceneAngle, 0.0f); // back to 0, not to the angle before the first press

    press(GLUT_KEY_F4);
    EXPECT_EQ(soundEnabled, 0);
    press(GLUT_KEY_F4);
    EXPECT_EQ(soundEnabled, 1);

    press(GLUT_KEY_LEFT, 3);
    EXPECT_EQ(sceneAngle, 30.0f);
    press(GLUT_KEY_RIGHT, 40);
    EXPECT_EQ(sceneAngle, -370.0f); // never wrapped by the keys
}

TEST_F(Shell, ArrowsMoveTheFreeCamera) {
    press(GLUT_KEY_UP, 100);
    EXPECT_EQ(cameraPosition.x(), 0.0);
    EXPECT_EQ(cameraPosition.y(), -50.0);
    EXPECT_EQ(cameraPosition.z(), 0.0);
    EXPECT_EQ(cameraPosition.status_, General);
    press(GLUT_KEY_DOWN, 3);
    EXPECT_EQ(cameraPosition.z(), 30.0);
}

TEST_F(Shell, EverySpecialKeyRedisplaysAndOrdinaryKeysDoNot) {
    EXPECT_EQ(redisplaysAfter([] { onSpecialKey(GLUT_KEY_F5, 0, 0); }), 1);
    EXPECT_EQ(redisplaysAfter([] { onSpecialKey(GLUT_KEY_HOME, 0, 0); }), 1);
    EXPECT_EQ(timeStep, 0.6);
    EXPECT_EQ(redisplaysAfter([] {
                  onKey('q', 0, 0);
                  onKey(' ', 0, 0);
                  onKey('\r', 0, 0);
              }),
              0);
}

TEST_F(Shell, EscapeExitsWithStatusZero) {
    // A forked child shares the GL driver's threads and X connection; a fresh process does not.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(onKey(27, 5, 7), ::testing::ExitedWithCode(0), "");
}

} // namespace
