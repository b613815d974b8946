#include "Render/OGL/ControllerFixture.h"

#include <GL/glu.h>

#include <array>
#include <cmath>
#include <vector>

using RenderTest::ControllerTest;

namespace {

std::array<double, 16> matrix(GLenum which) {
    std::array<double, 16> m{};
    glGetDoublev(which, m.data());
    return m;
}

std::array<int, 4> viewport() {
    std::array<int, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

// The column-major matrix glOrtho(l, r, b, t, n, f) loads onto the identity.
std::array<double, 16> orthoMatrix(double l, double r, double b, double t, double n, double f) {
    // clang-format off
    return {2 / (r - l), 0, 0, 0,
            0, 2 / (t - b), 0, 0,
            0, 0, -2 / (f - n), 0,
            -(r + l) / (r - l), -(t + b) / (t - b), -(f + n) / (f - n), 1};
    // clang-format on
}

void expectMatrixNear(const std::array<double, 16>& actual,
                      const std::array<double, 16>& expected) {
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-6) << "element " << i;
    }
}

// Row r of a column-major matrix.
std::array<double, 3> row(const std::array<double, 16>& m, int r) {
    return {m[r], m[4 + r], m[8 + r]};
}

MathStuff::Orientation<float> cameraLookingAlong(MathStuff::Vector3<float> dir,
                                                 MathStuff::Vector3<float> pos) {
    MathStuff::Orientation<float> camera;
    camera.pos = pos;
    camera.dir = dir;
    camera.up = MathStuff::Vector3<float>(0, 1, 0);
    camera.scale = MathStuff::Vector3<float>(1, 1, 1);
    return camera;
}

// Counts the swap-interval changes instead of relying on the window system.
class CountingController : public Render::OGL::Controller {
public:
    using Controller::Controller;
    void setVsync() override {
        ++vsyncCalls;
        Controller::setVsync();
    }
    int vsyncCalls = 0;
};

}  // namespace

TEST_F(ControllerTest, DetectsEveryAbilityOnThisDriverAndLetsOverridesWin) {
    for (int id = 0; id <= Render::ABILITY_HAVE_FLOAT_TEX; ++id) {
        EXPECT_EQ(controller->getAbility(id), 1) << Render::abilityName(id);
    }
    GLint maxTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    GLint maxRenderbuffer = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
    EXPECT_EQ(controller->getAbility(Render::ABILITY_MAX_TEXTURE_SIZE_2D), maxTexture);
    EXPECT_GT(controller->getAbility(Render::ABILITY_MAX_TEXTURE_SIZE_3D), 0);
    for (int id = Render::ABILITY_MAX_RTT_SIZE; id <= Render::ABILITY_MAX_PBO_SIZE; ++id) {
        EXPECT_EQ(controller->getAbility(id), maxRenderbuffer) << Render::abilityName(id);
    }
    EXPECT_GT(maxRenderbuffer, 0);

    controller->setAbility(Render::ABILITY_MAX_TEXTURE_SIZE_2D, 256);
    controller->setAbility(Render::ABILITY_HAVE_SHADERS, 0);
    EXPECT_EQ(controller->getAbility(Render::ABILITY_MAX_TEXTURE_SIZE_2D), 256);
    EXPECT_EQ(controller->getAbility(Render::ABILITY_HAVE_SHADERS), 0);
    EXPECT_EQ(controller->getAbility(Render::ABILITY_HAVE_RTT), 1);
    EXPECT_EQ(controller->getAbility(13), -1);
    EXPECT_EQ(controller->getAbility(-1), -1);
}

TEST_F(ControllerTest, InitCullsBackFacesWoundClockwise) {
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint front = 0;
    GLint cull = 0;
    glGetIntegerv(GL_FRONT_FACE, &front);
    glGetIntegerv(GL_CULL_FACE_MODE, &cull);
    EXPECT_EQ(front, GL_CCW);
    EXPECT_EQ(cull, GL_BACK);
}

TEST_F(ControllerTest, OrthographicViewIsOneUnitPerPixelFromTheBottomLeft) {
    Render::ViewData view;  // everything kept but the size; near from the argument: -1
    view.maxZ = 10.0f;
    view.width = 640;
    view.height = 480;
    glEnable(GL_DEPTH_TEST);
    controller->setViewData(view);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    expectMatrixNear(matrix(GL_PROJECTION_MATRIX), orthoMatrix(0, 640, 0, 480, -1, 10));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(viewport(), (std::array<int, 4>{0, 0, 640, 480}));
}

TEST_F(ControllerTest, ScaleTwoZoomsOutAboutTheCentre) {
    Render::ViewData view;
    view.scaleX = 2.0f;
    view.scaleY = 2.0f;
    controller->setViewData(view);

    // maxZ 1 kept from the fixture's view data; near -1 since the argument's minZ is 0.
    expectMatrixNear(matrix(GL_PROJECTION_MATRIX), orthoMatrix(-640, 1280, -480, 960, -1, 1));
    EXPECT_EQ(controller->getViewData().scaleX, 2.0f);
    EXPECT_EQ(controller->getViewData().width, 640);
}

TEST_F(ControllerTest, AllSentinelsKeepEveryFieldAndTheViewportButReloadTheProjection) {
    glViewport(1, 2, 30, 40);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glScaled(5, 5, 5);
    Render::ViewData before = controller->getViewData();
    CountingController counting(before);

    counting.setViewData(Render::ViewData());

    EXPECT_EQ(counting.vsyncCalls, 0);
    EXPECT_EQ(viewport(), (std::array<int, 4>{1, 2, 30, 40}));
    const Render::ViewData& after = counting.getViewData();
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.maxZ, before.maxZ);
    EXPECT_EQ(after.vsync, before.vsync);
    expectMatrixNear(matrix(GL_PROJECTION_MATRIX), orthoMatrix(0, 640, 0, 480, -1, 1));
}

TEST_F(ControllerTest, VsyncAloneChangesTheSwapIntervalButNotTheViewport) {
    CountingController counting(screenView());
    glViewport(5, 6, 70, 80);
    Render::ViewData view;
    view.vsync = 0;
    counting.setViewData(view);
    EXPECT_EQ(counting.vsyncCalls, 1);
    EXPECT_EQ(counting.getViewData().vsync, 0);
    EXPECT_EQ(viewport(), (std::array<int, 4>{5, 6, 70, 80}));

    counting.init();
    EXPECT_EQ(counting.vsyncCalls, 2);
}

TEST_F(ControllerTest, PerspectiveFieldOfViewIsScaledByScaleX) {
    Render::ViewData view;
    view.is3D = true;
    view.fov = 60.0f;
    view.scaleX = 0.5f;
    view.minZ = 1.0f;
    view.maxZ = 100.0f;
    controller->setViewData(view);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, 640.0 / 480.0, 1.0, 100.0);
    std::array<double, 16> expected = matrix(GL_PROJECTION_MATRIX);
    controller->setViewData(view);
    expectMatrixNear(matrix(GL_PROJECTION_MATRIX), expected);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(ControllerTest, PopViewDataReappliesTheSavedRecord) {
    controller->pushViewData();
    Render::ViewData small;
    small.x = 10;
    small.y = 20;
    small.width = 100;
    small.height = 50;
    controller->setViewData(small);
    EXPECT_EQ(viewport(), (std::array<int, 4>{10, 20, 100, 50}));

    controller->popViewData();
    EXPECT_EQ(viewport(), (std::array<int, 4>{0, 0, 640, 480}));
    EXPECT_EQ(controller->getViewData().width, 640);
    expectMatrixNear(matrix(GL_PROJECTION_MATRIX), orthoMatrix(0, 640, 0, 480, -1, 1));
}

TEST_F(ControllerTest, DefaultCameraMirrorsXAndZ) {
    controller->setCamera(controller->getCamera());
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    std::array<double, 16> view = matrix(GL_MODELVIEW_MATRIX);
    EXPECT_EQ(row(view, 0), (std::array<double, 3>{-1, 0, 0}));
    EXPECT_EQ(row(view, 1), (std::array<double, 3>{0, 1, 0}));
    EXPECT_EQ(row(view, 2), (std::array<double, 3>{0, 0, -1}));
}

TEST_F(ControllerTest, CameraAlongNegativeZIsTheIdentityThenTranslatesByMinusPos) {
    controller->setCamera(cameraLookingAlong({0, 0, -1}, {0, 0, 0}));
    expectMatrixNear(matrix(GL_MODELVIEW_MATRIX), orthoMatrix(-1, 1, -1, 1, 1, -1));

    controller->setCamera(cameraLookingAlong({0, 0, -1}, {3, -4, 5}));
    std::array<double, 16> view = matrix(GL_MODELVIEW_MATRIX);
    EXPECT_EQ(view[12], -3);
    EXPECT_EQ(view[13], 4);
    EXPECT_EQ(view[14], -5);
}

TEST_F(ControllerTest, PopCameraRestoresTheSavedCameraAndItsMatrix) {
    MathStuff::Orientation<float> first = cameraLookingAlong({0, 0, -1}, {1, 2, 3});
    controller->setCamera(first);
    std::array<double, 16> firstMatrix = matrix(GL_MODELVIEW_MATRIX);
    controller->pushCamera();
    controller->setCamera(cameraLookingAlong({1, 0, 0}, {9, 9, 9}));

    controller->popCamera();
    EXPECT_EQ(controller->getCamera().pos, first.pos);
    EXPECT_EQ(controller->getCamera().dir, first.dir);
    expectMatrixNear(matrix(GL_MODELVIEW_MATRIX), firstMatrix);

    controller->setCamera(cameraLookingAlong({1, 0, 0}, {9, 9, 9}));
    controller->popCamera();  // nothing saved any more
    EXPECT_EQ(controller->getCamera().pos, MathStuff::Vector3<float>(9, 9, 9));
}

TEST_F(ControllerTest, ProjectsWorldPointsToWindowPixels) {
    controller->setCamera(cameraLookingAlong({0, 0, -1}, {0, 0, 0}));
    MathStuff::Vector3<float> window = controller->projectPoint({100, 200, 0});
    EXPECT_NEAR(window.x, 100.0f, 1e-3);
    EXPECT_NEAR(window.y, 200.0f, 1e-3);
    EXPECT_NEAR(window.z, 0.5f, 1e-6);
}

TEST_F(ControllerTest, PickRayIsTheNearToFarDifferenceWithYNegatedLessThePosition) {
    controller->setCamera(cameraLookingAlong({0, 0, -1}, {0, 0, 0}));
    // Orthographic, near -1, far 1: the ray through any pixel runs from z 1 to z -1.
    MathStuff::Vector3<float> ray = controller->getPickRay(320, 240);
    EXPECT_NEAR(ray.x, 0.0f, 1e-4);
    EXPECT_NEAR(ray.y, 0.0f, 1e-4);
    EXPECT_NEAR(ray.z, -2.0f, 1e-4);

    controller->setCamera(cameraLookingAlong({0, 0, -1}, {1, 2, 3}));
    ray = controller->getPickRay(320, 240);
    EXPECT_NEAR(ray.x, -1.0f, 1e-4);
    EXPECT_NEAR(ray.y, -2.0f, 1e-4);
    EXPECT_NEAR(ray.z, -5.0f, 1e-4);
}

TEST_F(ControllerTest, RenderStatesSwitchTheirOpenGLCapabilities) {
    controller->setBlending(true);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    GLint source = 0;
    GLint dest = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &dest);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(dest, GL_ONE_MINUS_SRC_ALPHA);
    controller->setBlending(false);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));

    controller->setCulling(false);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    controller->setDepthTest(true);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    controller->setFog(true);
    EXPECT_TRUE(glIsEnabled(GL_FOG));

    controller->setColorMask(true, false, true, false);
    GLboolean mask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(std::vector<int>(mask, mask + 4), (std::vector<int>{1, 0, 1, 0}));
    controller->setColorMask(true);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(std::vector<int>(mask, mask + 4), (std::vector<int>{1, 1, 1, 1}));

    controller->setAlphaFunc(0.25f, false);
    GLint func = 0;
    GLfloat ref = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_EQ(func, GL_LESS);
    EXPECT_FLOAT_EQ(ref, 0.25f);
}

TEST_F(ControllerTest, FogDistancesArePercentOfMaxZ) {
    Render::ViewData view;
    view.maxZ = 200.0f;
    controller->setViewData(view);
    controller->setFogParams(25.0f, 50.0f, Util::RGBA{255, 0, 51, 255});

    GLfloat start = 0;
    GLfloat end = 0;
    GLfloat color[4] = {};
    GLint mode = 0;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    glGetFloatv(GL_FOG_COLOR, color);
    glGetIntegerv(GL_FOG_MODE, &mode);
    EXPECT_FLOAT_EQ(start, 50.0f);
    EXPECT_FLOAT_EQ(end, 100.0f);
    EXPECT_FLOAT_EQ(color[0], 1.0f);
    EXPECT_FLOAT_EQ(color[2], 0.2f);
    EXPECT_EQ(mode, GL_LINEAR);
}
