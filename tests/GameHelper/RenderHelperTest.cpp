#include "support/GLTest.h"

#include "GameHelper/RenderHelper.h"
#include "GameHelper/ViewBoxHelper.h"
#include "Render/OGL/Controller.h"
#include "Render/ViewData.h"

namespace {

// A window-sized orthographic controller, cleared black, drawing in white.
class RenderHelperTest : public TestSupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (!window) {
            return;
        }
        Render::ViewData data;
        data.width = kWidth;
        data.height = kHeight;
        controller = std::make_unique<Render::OGL::Controller>(data);
        controller->init();
        controller->doClear(Util::RGBA{0, 0, 0, 0});
        controller->setColor(Util::RGBA{255, 255, 255, 255});
    }

    static void fillRect(float x0, float y0, float x1, float y1) {
        glBegin(GL_QUADS);
        glVertex3f(x0, y1, 0);
        glVertex3f(x0, y0, 0);
        glVertex3f(x1, y0, 0);
        glVertex3f(x1, y1, 0);
        glEnd();
    }

    bool white(int x, int y) const { return pixelAt(x, y)[0] == 255; }

    std::unique_ptr<Render::OGL::Controller> controller;
};

}  // namespace

TEST_F(RenderHelperTest, MapsOneUnitToOnePixelFromTheLowerLeftCorner) {
    GameHelper::RenderHelper(controller.get()).set2D(kWidth, kHeight, false);
    fillRect(0, 470, 10, 480);
    EXPECT_TRUE(white(0, 479));
    EXPECT_TRUE(white(9, 470));
    EXPECT_FALSE(white(10, 475));
    EXPECT_FALSE(white(5, 469));
    EXPECT_EQ(controller->getViewData().minZ, -1.0f);
    EXPECT_EQ(controller->getViewData().vsync, 1);
    EXPECT_FALSE(controller->getViewData().is3D);
}

TEST_F(RenderHelperTest, CentringPutsTheOriginInTheMiddleOfTheArea) {
    GameHelper::RenderHelper(controller.get()).set2D(kWidth, kHeight, true);
    fillRect(-2, -2, 2, 2);
    EXPECT_TRUE(white(320, 240));
    EXPECT_TRUE(white(318, 238));
    EXPECT_FALSE(white(322, 240));
    EXPECT_FALSE(white(2, 2));
    EXPECT_FLOAT_EQ(controller->getCamera().pos.x, -320.0f);
    EXPECT_FLOAT_EQ(controller->getCamera().pos.y, -240.0f);
}

TEST_F(RenderHelperTest, AnAreaAwayFromTheOriginMovesTheViewport) {
    GameHelper::RenderHelper(controller.get()).set2D(100, 50, 200, 100, false);
    fillRect(0, 0, 10, 10);
    EXPECT_TRUE(white(100, 50));
    EXPECT_TRUE(white(109, 59));
    EXPECT_FALSE(white(99, 50));
    EXPECT_FALSE(white(5, 5));
}

TEST_F(RenderHelperTest, TheViewBoxFormProjectsOntoTheBoxWithoutCentring) {
    GameHelper::ViewBoxHelper box(Render::ViewBox{100, 50, 200, 100});
    GameHelper::RenderHelper(controller.get()).set2D(&box);
    fillRect(190, 90, 200, 100);  // the top right corner of the box
    EXPECT_TRUE(white(299, 149));
    EXPECT_FALSE(white(300, 149));
    EXPECT_FLOAT_EQ(controller->getCamera().pos.x, 0.0f);
}
