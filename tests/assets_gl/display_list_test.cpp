#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "models/model.h"
#include "models/palette.h"
#include "support/gl_test_window.h"

namespace {
class DisplayListTest : public testing::Test {
protected:
    static void SetUpTestSuite() { window_ = std::make_unique<testsupport::GlTestWindow>(); }
    static void TearDownTestSuite() { window_.reset(); }

    void SetUp() override {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
    }

    // The window positions of every vertex the list draws, in drawing order.
    static std::vector<std::vector<float>> feedbackVertices(const Model& model) {
        std::vector<GLfloat> buffer(4096);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
        glRenderMode(GL_FEEDBACK);
        model.drawModel();
        const GLint used = glRenderMode(GL_RENDER);
        std::vector<std::vector<float>> vertices;
        for (GLint i = 0; i < used;) {
            const auto token = static_cast<GLint>(buffer[i++]);
            EXPECT_EQ(token, GL_POLYGON_TOKEN);
            const auto count = static_cast<GLint>(buffer[i++]);
            for (GLint k = 0; k < count; ++k, i += 3) {
                vertices.push_back({buffer[i], buffer[i + 1]});
            }
        }
        return vertices;
    }

    static std::vector<float> windowPosition(float x, float y) {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        return {viewport[0] + (x + 1.0f) * viewport[2] / 2.0f,
                viewport[1] + (y + 1.0f) * viewport[3] / 2.0f};
    }

    static std::vector<float> current(GLenum what) {
        std::vector<float> v(4);
        glGetFloatv(what, v.data());
        return v;
    }

    static std::vector<float> frontMaterial(GLenum what) {
        std::vector<float> v(4);
        glGetMaterialfv(GL_FRONT, what, v.data());
        return v;
    }

    static std::unique_ptr<testsupport::GlTestWindow> window_;
};
std::unique_ptr<testsupport::GlTestWindow> DisplayListTest::window_;

MeshObject triangle(Float3 a, Float3 b, Float3 c, Float3 firstNormal, Color3 colour) {
    MeshObject object;
    object.vertexCount = 3;
    object.vertices = {a, b, c};
    object.faceCount = 1;
    object.faces = {Face{0, 1, 2}};
    object.faceNormals = {Float3{0, 0, 1}};
    object.cornerNormals = {firstNormal, Float3{9, 9, 9}, Float3{7, 7, 7}};
    object.color = colour;
    return object;
}

void expectNear(const std::vector<float>& actual, const std::vector<float>& expected,
                float tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << i;
    }
}

TEST_F(DisplayListTest, CornersAreSentInReverseOrder) {
    Model model;
    model.objects = {
        triangle({-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0, 0.5f, 0}, {0, 1, 0}, Color3(1, 0, 0)),
        triangle({-0.9f, 0.6f, 0}, {-0.6f, 0.6f, 0}, {-0.9f, 0.9f, 0}, {0, 1, 0}, Color3(0, 1, 0))};
    model.objectCount = 2;
    model.buildDisplayList(140);
    EXPECT_EQ(model.displayList, 140u);
    EXPECT_TRUE(glIsList(140));
    const auto drawn = feedbackVertices(model);
    ASSERT_EQ(drawn.size(), 6u);
    expectNear(drawn[0], windowPosition(0, 0.5f), 0.01f);
    expectNear(drawn[1], windowPosition(0.5f, -0.5f), 0.01f);
    expectNear(drawn[2], windowPosition(-0.5f, -0.5f), 0.01f);
    expectNear(drawn[3], windowPosition(-0.9f, 0.9f), 0.01f);
    expectNear(drawn[5], windowPosition(-0.9f, 0.6f), 0.01f);
}

TEST_F(DisplayListTest, TheFirstCornerNormalIsTurnedByNinetyRadians) {
    const std::pair<Float3, std::vector<float>> cases[] = {
        {{0, 1, 0}, {0.0f, -0.448074f, -0.893997f}},
        {{1, 0, 0}, {1.0f, 0.0f, 0.0f}},
        {{0, 0, 1}, {0.0f, 0.893997f, -0.448074f}},
    };
    for (const auto& [stored, emitted] : cases) {
        Model model;
        model.objects = {triangle({0, 0, 0}, {0.1f, 0, 0}, {0, 0.1f, 0}, stored, Color3())};
        model.objectCount = 1;
        model.buildDisplayList(141);
        glNormal3f(5, 5, 5);
        model.drawModel();
        std::vector<float> normal(3);
        glGetFloatv(GL_CURRENT_NORMAL, normal.data());
        expectNear(normal, emitted, 1e-5f);
    }
}

TEST_F(DisplayListTest, EachObjectSetsItsColourAndFrontMaterial) {
    Model model;
    model.objects = {
        triangle({0, 0, 0}, {0.1f, 0, 0}, {0, 0.1f, 0}, {0, 1, 0}, Color3(0.25, 0.5, 0.75))};
    model.objectCount = 1;
    model.buildDisplayList(142);
    glColor4f(0, 0, 0, 0);
    model.drawModel();
    expectNear(current(GL_CURRENT_COLOR), {0.25f, 0.5f, 0.75f, 1.0f}, 1e-3f);
    expectNear(frontMaterial(GL_DIFFUSE), {0.25f, 0.5f, 0.75f, 1.0f}, 1e-6f);
    expectNear(frontMaterial(GL_AMBIENT), {0.2f, 0.1f, 0.1f, 1.0f}, 1e-6f);
}

TEST_F(DisplayListTest, AnEmptyModelDrawsNothing) {
    Model model;
    model.buildDisplayList(143);
    EXPECT_TRUE(feedbackVertices(model).empty());
}

TEST_F(DisplayListTest, PaletteSettersSetColourAndMaterialTogether) {
    applyColor(COLOR_PALE_BLUE);
    expectNear(current(GL_CURRENT_COLOR), {0.3f, 0.3f, 1.0f, 0.0f}, 1e-3f);
    expectNear(frontMaterial(GL_DIFFUSE), {0.3f, 0.3f, 1.0f, 0.0f}, 1e-6f);
    expectNear(frontMaterial(GL_AMBIENT), {0.2f, 0.1f, 0.1f, 0.0f}, 1e-6f);

    applyColorAlpha(COLOR_PALE_BLUE, 1.0f);
    expectNear(current(GL_CURRENT_COLOR), {0.3f, 0.3f, 1.0f, 1.0f}, 1e-3f);
    expectNear(frontMaterial(GL_AMBIENT), {0.2f, 0.1f, 0.1f, 1.0f}, 1e-6f);

    applyColor(COLOR_BRONZE);
    expectNear(current(GL_CURRENT_COLOR), {0.6f, 0.5f, 0.2f, 1.0f}, 1e-3f);

    glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
    applyMaterialColor(0.1f, 0.2f, 0.3f, 0.4f);  // leaves the current colour alone
    expectNear(current(GL_CURRENT_COLOR), {0.5f, 0.5f, 0.5f, 0.5f}, 1e-3f);
    expectNear(frontMaterial(GL_DIFFUSE), {0.1f, 0.2f, 0.3f, 0.4f}, 1e-6f);
    expectNear(frontMaterial(GL_AMBIENT), {0.2f, 0.1f, 0.1f, 0.4f}, 1e-6f);
}

TEST(Palette, CodesOutsideTheTableGiveBlue) {
    const Rgba blue = {0.0f, 0.0f, 1.0f, 1.0f};
    EXPECT_EQ(lookupColor(443), blue);
    EXPECT_EQ(lookupColor(457), blue);
    EXPECT_EQ(lookupColor(-1), blue);
    EXPECT_EQ(lookupColor(COLOR_MAGENTA), (Rgba{1.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(lookupColor(COLOR_BLACK), (Rgba{0.0f, 0.0f, 0.0f, 1.0f}));
    for (ColorCode code = COLOR_BLUE; code <= COLOR_SKY_BLUE; ++code) {
        EXPECT_EQ(lookupColor(code)[3], code == COLOR_PALE_BLUE ? 0.0f : 1.0f) << code;
    }
}

}  // namespace
