#include "support/GLTest.h"
#include "support/TempDir.h"

#include <memory>

#include "MatSys/Material.h"
#include "MatSys/MaterialSystemFacade.h"
#include "ModelSys/TriangleMesh.h"
#include "Render/I_RenderQueue.h"
#include "Render/OGL/Controller.h"

namespace {

using MathStuff::Orientation;
using MathStuff::Vector3;
using Pixel = std::vector<unsigned char>;

const Pixel kBlack{0, 0, 0, 255};
const Pixel kWhite{255, 255, 255, 255};

// An orthographic view of x in [-4, 4], y in [-3, 3] (80 pixels a unit, the origin at
// pixel (320, 240)) and z in [-10, 10], whose depth buffer reads 0.5 - z / 20.
class RenderQueueTest : public TestSupport::GLTest {
protected:
    void SetUp() override {
        TestSupport::GLTest::SetUp();
        if (IsSkipped())
            return;
        controller = std::make_unique<Render::OGL::Controller>(Render::ViewData());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-4, 4, -3, 3, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_ALWAYS);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(1, 1, 1);
        // A small triangle around the mesh's origin: 0.1 units each way.
        mesh.reset(ModelSys::TriangleMesh::fromCorners(
            *controller, {{-0.1f, -0.1f, 0}, {0.1f, -0.1f, 0}, {0, 0.1f, 0}}));
        ASSERT_TRUE(mesh);
    }
    void TearDown() override {
        mesh.reset();
        facade.reset();
        controller.reset();
        TestSupport::GLTest::TearDown();
    }

    static Orientation<float> placement(Vector3<float> pos, Vector3<float> dir,
                                        Vector3<float> scale) {
        Orientation<float> o;
        o.pos = pos;
        o.dir = dir;
        o.up = Vector3<float>(0, 1, 0);
        o.scale = scale;
        return o;
    }

    float depthAt(int x, int y) {
        float depth = -1;
        glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        return depth;
    }

    std::unique_ptr<Render::OGL::Controller> controller;
    std::unique_ptr<ModelSys::TriangleMesh> mesh;
    std::unique_ptr<MatSys::MaterialSystemFacade> facade;
};

TEST_F(RenderQueueTest, PlacementAndOffsetPutTheMeshOriginWhereThePlacedFrameSays) {
    Render::I_RenderQueue* queue = controller->getRenderQueue();
    ASSERT_NE(queue, nullptr);
    // pos (1, 0, 0), scale 2, offset (0, 0, 1) along dir (0, 0, 1): the origin lands at
    // (1, 0, 2), pixel (400, 240), depth 0.4; the triangle spans 0.2 units each way.
    queue->add(placement({1, 0, 0}, {0, 0, 1}, {2, 2, 2}), Vector3<float>(0, 0, 1), mesh.get(),
               nullptr);
    glFinish();
    EXPECT_EQ(pixelAt(400, 240), kWhite);
    EXPECT_NEAR(depthAt(400, 240), 0.4f, 1e-4f);
    EXPECT_EQ(pixelAt(400 + 14, 240 - 14), kWhite);  // scaled by 2: 16 pixels out
    EXPECT_EQ(pixelAt(400 + 20, 240 - 14), kBlack);
    EXPECT_EQ(pixelAt(320, 240), kBlack);

    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[12], 0.0f);  // the matrix is restored
}

TEST_F(RenderQueueTest, OffsetFollowsTheDirectionTheMeshFaces) {
    // Facing along x, the offset (0, 0, 1) moves the mesh 2 units along x: pixel (560, 240).
    // The mesh lies in its own y-z plane, which now faces the viewer.
    std::unique_ptr<ModelSys::TriangleMesh> side(ModelSys::TriangleMesh::fromCorners(
        *controller, {{0, -0.1f, -0.1f}, {0, -0.1f, 0.1f}, {0, 0.1f, 0}}));
    ASSERT_TRUE(side);
    controller->getRenderQueue()->add(placement({1, 0, 0}, {1, 0, 0}, {2, 2, 2}),
                                      Vector3<float>(0, 0, 1), side.get(), nullptr);
    glFinish();
    EXPECT_EQ(pixelAt(560, 240), kWhite);
    EXPECT_EQ(pixelAt(400, 240), kBlack);
}

TEST_F(RenderQueueTest, AddWithoutOffsetDrawsLikeAZeroOffset) {
    Render::I_RenderQueue* queue = controller->getRenderQueue();
    Orientation<float> where = placement({-1, 1, 0.5f}, {0, 0, 1}, {3, 1, 1});
    queue->add(where, mesh.get(), nullptr);
    glFinish();
    std::vector<unsigned char> without = readPixels(0, 0, kWidth, kHeight);
    EXPECT_EQ(pixelAt(240, 320), kWhite);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    queue->add(where, Vector3<float>(), mesh.get(), nullptr);
    glFinish();
    EXPECT_EQ(readPixels(0, 0, kWidth, kHeight), without);
}

TEST_F(RenderQueueTest, DrawsWithTheMaterialAndReleasesItAfterwards) {
    TestSupport::TempDir dir;
    std::string cfg = dir.write("game.cfg",
                                "red_SHADERS == red.FS\n"
                                "red.FS_CODE == \"#version 120\nuniform vec4 tint;\n"
                                "void main() { gl_FragColor = tint; }\"\n"
                                "red_MAT_red_PARAMS == tint : 4f : 1, 0, 0, 1\n");
    facade = std::make_unique<MatSys::MaterialSystemFacade>(cfg);
    ASSERT_TRUE(facade->addMaterial("red"));
    MatSys::Material* red = facade->getMaterial("red");
    controller->getRenderQueue()->add(placement({0, 0, 0}, {0, 0, 1}, {1, 1, 1}), mesh.get(), red);
    glFinish();
    EXPECT_EQ(pixelAt(320, 240), (Pixel{255, 0, 0, 255}));
    GLint program = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);
}

TEST_F(RenderQueueTest, TriangleMeshesNeedWholeTriangles) {
    EXPECT_EQ(ModelSys::TriangleMesh::fromCorners(*controller, {}), nullptr);
    EXPECT_EQ(ModelSys::TriangleMesh::fromCorners(*controller, {{0, 0, 0}, {1, 0, 0}}), nullptr);
    EXPECT_EQ(mesh->getFirstVertex(), 0);
    EXPECT_EQ(mesh->getNumVertices(), 3);
}

}  // namespace
