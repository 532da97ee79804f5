// Proves that the test run has a real X server and GL: a window clears to a colour and the
// colour reads back.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "test_window.h"

TEST(RealWindow, ClearedColourReadsBack) {
    openTestWindow();
    glViewport(0, 0, 640, 480);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glutSwapBuffers();
    const auto rgb = readPixel(320, 240);
    EXPECT_EQ(rgb[0], 0);
    EXPECT_EQ(rgb[1], 255);
    EXPECT_EQ(rgb[2], 0);
}
