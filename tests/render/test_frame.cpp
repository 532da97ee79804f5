// Frames drawn in a real window and read back: where the camera puts the balls, what shows
// through the culled near wall, the glow of a burst, and how bursts age.
#include "render/frame.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "physics/scene.h"
#include "physics/simulation.h"
#include "render/graphics.h"
#include "test_graphics_setup.h"
#include "test_window.h"

namespace {

using Rgb = std::array<std::uint8_t, 3>;

class Frame : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        images.enter();
        openTestWindow();
        setUpScene();
        setUpGraphics();
        fitProjectionToTestWindow();
        // The first frame still draws the balls under the set-up's texturing and blending; the
        // tests look at the frames after it.
        drawFrame();
    }
    static void TearDownTestSuite() { images.leave(); }

    void SetUp() override {
        setUpSceneValues();
        followBall = 0;
        sceneAngle = 0.0f;
        cameraPosition = Vector3(0, -50, 1000);
        fitProjectionToTestWindow();
    }

    static inline ImageDirectory images;
};

struct View {
    double eye[3];
    double target[3];
    float angle;
};

// The camera built here from numbers, not from the scene, followed by the scene's turn.
std::array<GLdouble, 16> viewMatrix(const View& view) {
    std::array<GLdouble, 16> matrix{};
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(view.eye[0], view.eye[1], view.eye[2], view.target[0], view.target[1], view.target[2],
              0, 1, 0);
    glRotatef(view.angle, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, matrix.data());
    glPopMatrix();
    return matrix;
}

struct WindowPoint {
    int x, y;
};

WindowPoint project(const std::array<GLdouble, 16>& view, double x, double y, double z) {
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, view.data(), projection, viewport, &wx, &wy, &wz);
    return {int(wx), int(wy)};
}

const View defaultView = {{0, -50, 1000}, {0, -50, 990}, 0.0f};

// The channels at index strong exceed the others by a clear margin; lighting scales colours, so
// only proportions are certain.
bool dominated(const Rgb& rgb, std::initializer_list<int> strong) {
    int weakest = 255;
    int strongest = 0;
    for (int c = 0; c < 3; ++c) {
        bool isStrong = false;
        for (int s : strong) {
            isStrong = isStrong || s == c;
        }
        if (isStrong) {
            weakest = std::min(weakest, int(rgb[c]));
        } else {
            strongest = std::max(strongest, int(rgb[c]));
        }
    }
    return weakest >= 60 && weakest >= strongest + 40;
}

bool isRed(const Rgb& rgb) {
    return dominated(rgb, {0});
}

std::string describe(const Rgb& rgb) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", rgb[0], rgb[1], rgb[2]);
    return text;
}

TEST_F(Frame, BallsShowRedWhereTheCameraPutsThem) {
    const Vector3 ball0(199, 180, 10);
    const struct {
        const char* name;
        int follow;
        View view;
        std::initializer_list<int> redBalls; // balls 0 and 9 are red
    } cases[] = {
        {"free camera", 0, defaultView, {0, 9}},
        {"free camera, scene turned", 0, {{0, -50, 1000}, {0, -50, 990}, 30.0f}, {0, 9}},
        {"free camera moved", 0, {{0, -50, 800}, {0, -50, 790}, 0.0f}, {0, 9}},
        {"follow camera",
         1,
         {{ball0.x() + 250, ball0.y() + 250, ball0.z()}, {199.5, 179.9, 10.5}, 0.0f},
         {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        followBall = c.follow;
        sceneAngle = c.view.angle;
        if (c.follow == 0) {
            cameraPosition = Vector3(c.view.eye[0], c.view.eye[1], c.view.eye[2]);
        }
        drawFrame();

        const auto expected = viewMatrix(c.view);
        GLdouble left[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, left);
        for (int i = 0; i < 16; ++i) {
            EXPECT_NEAR(left[i], expected[i], 1e-9) << "modelview [" << i << "]";
        }
        for (int ball : c.redBalls) {
            const Vector3& p = ballPositions[ball];
            const WindowPoint at = project(expected, p.x(), p.y(), p.z());
            const Rgb rgb = readPixel(at.x, at.y);
            EXPECT_TRUE(isRed(rgb))
                << "ball " << ball << " at " << at.x << ", " << at.y << ": " << describe(rgb);
        }
    }
}

TEST_F(Frame, FollowCameraCentresBallZero) {
    followBall = 1;
    drawFrame();
    for (WindowPoint at : {WindowPoint{320, 240}, {310, 240}, {330, 240}, {320, 250}}) {
        const Rgb rgb = readPixel(at.x, at.y);
        EXPECT_TRUE(isRed(rgb)) << at.x << ", " << at.y << ": " << describe(rgb);
    }
}

TEST_F(Frame, RoomShowsThroughTheCulledNearWall) {
    drawFrame();
    const auto view = viewMatrix(defaultView);
    // Every point but the sky lies behind the wall at z = 320 as seen from the camera.
    const struct {
        const char* name;
        double x, y, z;
        std::initializer_list<int> strong; // empty: black
    } cases[] = {
        {"sky above the far wall, beside the upright pillar", -150, 450, -320, {}},
        {"far wall", 100, 100, -320, {2}},
        {"wall at -x", -320, 0, -100, {2}},
        {"wall at +x", 320, 0, -100, {2}},
        {"floor", -100, -320, 200, {1}},
        {"upright pillar", 0, 0, 60, {0, 1}},
    };
    for (const auto& c : cases) {
        const WindowPoint at = project(view, c.x, c.y, c.z);
        const Rgb rgb = readPixel(at.x, at.y);
        if (c.strong.size() == 0) {
            EXPECT_LT(rgb[0] + rgb[1] + rgb[2], 10) << c.name << ": " << describe(rgb);
        } else {
            EXPECT_TRUE(dominated(rgb, c.strong)) << c.name << ": " << describe(rgb);
        }
    }
}

TEST_F(Frame, BurstBrightensWhereItIs) {
    const Vector3 place(100, 0, -250);
    const WindowPoint centre = project(viewMatrix(defaultView), place.x(), place.y(), place.z());
    // A fresh sprite covers about 30 by 34 pixels there; the last point lies outside even an aged,
    // three times larger one.
    const WindowPoint offsets[] = {{0, 0}, {-8, 0}, {8, 0}, {0, -10}, {0, 10}, {120, 0}};
    constexpr std::size_t outside = std::size(offsets) - 1;
    auto brightness = [&](const WindowPoint& offset) {
        const Rgb rgb = readPixel(centre.x + offset.x, centre.y + offset.y);
        return rgb[0] + rgb[1] + rgb[2];
    };

    drawFrame();
    int without[std::size(offsets)];
    for (std::size_t i = 0; i < std::size(offsets); ++i) {
        without[i] = brightness(offsets[i]);
    }
    const struct {
        const char* name;
        float alpha, scale;
    } cases[] = {{"spawned", 1.0f, 1.0f}, {"aged", 0.6f, 3.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        spawnBurst(place);
        bursts[0].alpha = c.alpha;
        bursts[0].scale = c.scale;
        drawFrame();
        for (std::size_t i = 0; i < outside; ++i) {
            EXPECT_GE(brightness(offsets[i]), without[i] + 100)
                << offsets[i].x << ", " << offsets[i].y;
        }
        EXPECT_EQ(brightness(offsets[outside]), without[outside]);
        bursts[0].alpha = -1.0f;
    }
}

TEST(BurstAgeing, ByFrames) {
    const struct {
        const char* name;
        float alpha, scale;
        int drawnFrames;
        float endAlpha, endScale;
    } cases[] = {
        {"spawned", 1.0f, 1.0f, 101, -0.01f, 4.03f},
        {"initial slot", 0.0f, 1.0f, 1, -0.01f, 1.03f},
        {"free", -0.2f, 2.0f, 0, -0.2f, 2.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Burst burst;
        burst.alpha = c.alpha;
        burst.scale = c.scale;
        int drawn = 0;
        while (drawn < 1000 && ageBurst(burst)) {
            ++drawn;
            if (drawn == 100) {
                EXPECT_NEAR(burst.alpha, 7e-7, 1e-6);
                EXPECT_GE(burst.alpha, 0.0f);
            }
        }
        EXPECT_EQ(drawn, c.drawnFrames);
        EXPECT_NEAR(burst.alpha, c.endAlpha, 1e-5);
        EXPECT_NEAR(burst.scale, c.endScale, 1e-4);
    }
}

TEST_F(Frame, EachFrameAgesEveryVisibleBurstOnce) {
    spawnBurst(Vector3(0, -100, 0));
    drawFrame();
    EXPECT_EQ(bursts[0].alpha, 1.0f - 0.01f);
    EXPECT_EQ(bursts[0].scale, 1.0f + 0.03f);
    for (int frame = 2; frame <= 101; ++frame) {
        drawFrame();
    }
    EXPECT_NEAR(bursts[0].alpha, -0.01f, 1e-5);
    EXPECT_NEAR(bursts[0].scale, 4.03f, 1e-4);
    const Burst last = bursts[0];
    drawFrame();
    EXPECT_EQ(bursts[0].alpha, last.alpha);
    EXPECT_EQ(bursts[0].scale, last.scale);
    // The initial slots: drawn once, invisibly, and then left alone.
    for (int i = 1; i < burstCount; ++i) {
        EXPECT_FLOAT_EQ(bursts[i].alpha, -0.01f) << i;
        EXPECT_FLOAT_EQ(bursts[i].scale, 1.03f) << i;
    }
}

TEST_F(Frame, EndsWithBlendingAndTexturingOffAndDepthWritesOn) {
    drawFrame();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

} // namespace
