// The fixed GL state after setUpGraphics, read back from a real context.
#include "render/graphics.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/frame_rate.h"
#include "render/textures.h"
#include "test_graphics_setup.h"
#include "test_window.h"

namespace {

class GraphicsSetUp : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        images.enter();
        openTestWindow();
        // A clock past 0, so that a counter left at 0 cannot pass for one that was set.
        while (glutGet(GLUT_ELAPSED_TIME) < 2) {
            pumpEvents(1);
        }
        timeBefore = glutGet(GLUT_ELAPSED_TIME);
        setUpGraphics();
        timeAfter = glutGet(GLUT_ELAPSED_TIME);
    }
    static void TearDownTestSuite() { images.leave(); }

    static inline ImageDirectory images;
    static inline int timeBefore = 0;
    static inline int timeAfter = 0;
};

void expectVector(const char* what, const GLfloat* actual, std::initializer_list<float> expected) {
    int i = 0;
    for (float value : expected) {
        EXPECT_FLOAT_EQ(actual[i], value) << what << " [" << i << "]";
        ++i;
    }
}

TEST_F(GraphicsSetUp, EnablesWhatTheFramesRelyOn) {
    for (GLenum capability : {GL_CULL_FACE, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0,
                              GL_COLOR_MATERIAL, GL_BLEND, GL_TEXTURE_2D}) {
        EXPECT_TRUE(glIsEnabled(capability)) << std::hex << capability;
    }
    const struct {
        GLenum name;
        GLint expected;
    } settings[] = {
        {GL_SHADE_MODEL, GL_SMOOTH},
        {GL_CULL_FACE_MODE, GL_BACK},
        {GL_FRONT_FACE, GL_CCW},
        {GL_BLEND_SRC, GL_SRC_ALPHA},
        {GL_BLEND_DST, GL_ONE},
        {GL_COLOR_MATERIAL_FACE, GL_FRONT},
        {GL_COLOR_MATERIAL_PARAMETER, GL_AMBIENT_AND_DIFFUSE},
        {GL_MATRIX_MODE, GL_MODELVIEW},
        {GL_TEXTURE_BINDING_2D, GLint(textureIds[3])},
    };
    for (const auto& setting : settings) {
        GLint value = -1;
        glGetIntegerv(setting.name, &value);
        EXPECT_EQ(value, setting.expected) << std::hex << setting.name;
    }
}

TEST_F(GraphicsSetUp, LightMaterialAndClearColour) {
    GLfloat value[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, value);
    expectVector("clear colour", value, {0, 0, 0, 0});
    // Stored in eye coordinates: given under the identity, it stays as given.
    glGetLightfv(GL_LIGHT0, GL_POSITION, value);
    expectVector("light position", value, {0, 400, 0, 1});
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, value);
    expectVector("light ambient", value, {0.3f, 0.3f, 0.3f, 1});
    glGetLightfv(GL_LIGHT0, GL_DIFFUSE, value);
    expectVector("light diffuse", value, {1, 1, 1, 1});
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, value);
    expectVector("model ambient", value, {0.2f, 0.2f, 0.2f, 1});
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, value);
    expectVector("specular", value, {1, 1, 1, 1});
    glGetMaterialfv(GL_FRONT, GL_SHININESS, value);
    expectVector("shininess", value, {100});
}

TEST_F(GraphicsSetUp, SquarePerspectiveAndIdentityModelview) {
    GLdouble projection[16];
    GLdouble modelview[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    const double f = 1.0 / std::tan(25.0 * M_PI / 180.0);
    const double expected[16] = {
        f, 0, 0, 0, 0, f, 0, 0, 0, 0, -1710.0 / 1690.0, -1, 0, 0, -2 * 1700.0 * 10.0 / 1690.0, 0};
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(projection[i], expected[i], 1e-6) << "projection [" << i << "]";
        EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0 : 0.0) << "modelview [" << i << "]";
    }
}

TEST_F(GraphicsSetUp, FourTexturesOfTheImageSizes) {
    for (int slot = 0; slot < textureCount; ++slot) {
        SCOPED_TRACE(craftedImages[slot].fileName);
        ASSERT_TRUE(glIsTexture(textureIds[slot]));
        for (int other = 0; other < slot; ++other) {
            EXPECT_NE(textureIds[slot], textureIds[other]);
        }
        glBindTexture(GL_TEXTURE_2D, textureIds[slot]);
        GLint width = 0;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(width, craftedImages[slot].width);
        EXPECT_EQ(height, craftedImages[slot].height);
    }
    glBindTexture(GL_TEXTURE_2D, textureIds[3]);
}

// Sum of the areas (window units) of the polygons that survive culling, from feedback of type
// GL_3D: token, vertex count, then x, y, z per vertex.
double fedBackArea(const std::vector<GLfloat>& buffer, GLint used) {
    double area = 0.0;
    for (GLint i = 0; i < used;) {
        const GLint token = GLint(buffer[i]);
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            return area;
        }
        const GLint count = GLint(buffer[i + 1]);
        const GLfloat* vertex = &buffer[i + 2];
        double twiceArea = 0.0;
        for (GLint k = 0; k < count; ++k) {
            const GLint next = (k + 1) % count;
            twiceArea += double(vertex[3 * k]) * vertex[3 * next + 1] -
                         double(vertex[3 * next]) * vertex[3 * k + 1];
        }
        area += std::fabs(twiceArea) / 2.0;
        i += 2 + 3 * count;
    }
    return area;
}

TEST_F(GraphicsSetUp, BurstListIsTwoCrossedRectanglesVisibleFromBothSides) {
    ASSERT_TRUE(glIsList(burstListId));
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-100, 100, -100, 100, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glViewport(0, 0, 200, 200); // one window unit per scene unit

    // Seen along z, each rectangle stands at 45 degrees: 100 cos 45 wide, 80 high.
    const double oneSideArea = 2 * 100 * std::cos(M_PI / 4) * 80;
    const double rotation = -45.0 * M_PI / 180.0;
    for (float viewTurn : {0.0f, 180.0f, 90.0f}) {
        SCOPED_TRACE(viewTurn);
        glLoadIdentity();
        glRotatef(viewTurn, 0, 1, 0);
        std::vector<GLfloat> buffer(4096);
        glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        glCallList(burstListId);
        const GLint used = glRenderMode(GL_RENDER);
        ASSERT_GT(used, 0);
        EXPECT_NEAR(fedBackArea(buffer, used), oneSideArea, 1.0);

        // The list leaves its turn applied for the caller's pop to undo.
        GLdouble after[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, after);
        const double angle = viewTurn * M_PI / 180.0 + rotation;
        EXPECT_NEAR(after[0], std::cos(angle), 1e-6);
        EXPECT_NEAR(after[8], std::sin(angle), 1e-6);
    }

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

TEST_F(GraphicsSetUp, StartsTheFrameRateClockDuringSetUp) {
    EXPECT_GE(fpsLastTime, timeBefore);
    EXPECT_LE(fpsLastTime, timeAfter);
    EXPECT_GT(fpsLastTime, 0);
}

} // namespace
