#include "Render/OGL/ControllerFixture.h"

#include <memory>
#include <vector>

using Render::I_VertexArray;
using RenderTest::ControllerTest;

namespace {

using Pixel = std::vector<unsigned char>;
const Pixel kWhite{255, 255, 255, 255};
const Pixel kBlack{0, 0, 0, 0};

// Two overlapping clip rectangles: A (0,0)-(200,200) and B (100,0)-(300,200), so
// x < 100 is covered once, 100..199 twice, 200..299 once, beyond 300 not at all.
// Then a white rectangle over all of it, drawn with the clipping under test.
class ClipTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        const float corners[] = {0,   0, 0, 200, 0, 0, 200, 200, 0, 0,   200, 0,
                                 100, 0, 0, 300, 0, 0, 300, 200, 0, 100, 200, 0,
                                 0,   0, 0, 400, 0, 0, 400, 200, 0, 0,   200, 0};
        shapes.reset(controller->createVertexArray(sizeof(corners), true));
        ASSERT_TRUE(shapes);
        shapes->defineVertexInfo(3, I_VertexArray::DT_FLOAT);
        shapes->beginUsing();
        shapes->putVertices(corners, 12, 0);
        shapes->endUsing();
        controller->doClear(Util::RGBA{0, 0, 0, 0});
        controller->setColor(Util::RGBA{255, 255, 255, 255});
    }

    void TearDown() override {
        shapes.reset();
        ControllerTest::TearDown();
    }

    void drawClipShapes(bool clear) {
        controller->beginClipDraw(clear);
        shapes->beginUsing();
        controller->drawArrays(Render::RT_QUADS, 0, 8);
        shapes->endUsing();
        controller->endClipDraw();
    }

    void drawCover() {
        shapes->beginUsing();
        controller->drawArrays(Render::RT_QUADS, 8, 4);
        shapes->endUsing();
    }

    // White or black at x = 50, 150, 250, 350 (covered 1, 2, 1, 0 times).
    std::vector<bool> whiteAcross() {
        std::vector<bool> white;
        for (int x : {50, 150, 250, 350}) {
            Pixel pixel(4);
            controller->copyScreen(pixel.data(), x, 100, 1, 1);
            white.push_back(pixel == kWhite);
        }
        return white;
    }

    std::unique_ptr<I_VertexArray> shapes;
};

}  // namespace

TEST_F(ClipTest, ClipShapesThemselvesDrawNothing) {
    drawClipShapes(true);
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{false, false, false, false}));
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
}

TEST_F(ClipTest, LevelSelectsPixelsCoveredExactlyThatOften) {
    drawClipShapes(true);
    controller->setClipping(true, 2);
    drawCover();
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{false, true, false, false}));
}

TEST_F(ClipTest, LevelOneAndLevelZero) {
    drawClipShapes(true);
    controller->setClipping(true, 1);
    drawCover();
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{true, false, true, false}));

    controller->doClear(Util::RGBA{0, 0, 0, 0});
    controller->setClipping(true, 0);
    drawCover();
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{false, false, false, true}));
}

TEST_F(ClipTest, MinusOneMeansAnywhereAShapeWasDrawnAndMinusTwoNotExactlyOnce) {
    drawClipShapes(true);
    controller->setClipping(true, -1);
    drawCover();
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{true, true, true, false}));

    controller->doClear(Util::RGBA{0, 0, 0, 0});
    controller->setClipping(true, -2);
    drawCover();
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{false, true, false, true}));
}

TEST_F(ClipTest, ClippingOffDrawsEverywhereAndWithoutClearCountsAccumulate) {
    drawClipShapes(true);
    drawClipShapes(false);  // counts now 2, 4, 2, 0
    controller->setClipping(true, 4);
    drawCover();
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{false, true, false, false}));

    controller->setClipping(false, 0);
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    drawCover();
    EXPECT_EQ(whiteAcross(), (std::vector<bool>{true, true, true, true}));
}
