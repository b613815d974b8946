// The game's font drawn through the real texture, vertex array and controller.
#include "support/GLTest.h"

#include <memory>

#include "GameHelper/RenderHelper.h"
#include "MatSys/OGL/TextureMaker.h"
#include "MatSys/TextureStore.h"
#include "Render/I_VertexArray.h"
#include "Render/OGL/Controller.h"
#include "SprFont/SpriteFont.h"
#include "SprFont/SpriteFontRenderer.h"

namespace {

// Counts the draw calls it passes on.
class CountingController : public Render::OGL::Controller {
public:
    using Render::OGL::Controller::Controller;
    void drawArrays(Render::RenderType type, int first, unsigned count) override {
        ++calls;
        lastCount = count;
        Render::OGL::Controller::drawArrays(type, first, count);
    }
    int calls = 0;
    unsigned lastCount = 0;
};

class FontDisplayTest : public TestSupport::GLTest {
protected:
    static constexpr int kGlyphs = 16;
    static constexpr float kScale = 4.0f;

    void SetUp() override {
        GLTest::SetUp();
        if (!window) {
            return;
        }
        Render::ViewData data;
        data.width = kWidth;
        data.height = kHeight;
        controller = std::make_unique<CountingController>(data);
        controller->init();
        controller->doClear(Util::RGBA{0, 0, 128, 255});
        GameHelper::RenderHelper(controller.get()).set2D(kWidth, kHeight, false);
        maker = std::make_unique<MatSys::OGL::TextureMaker>(QUORLITH_DATA_DIR);
        textures = std::make_unique<MatSys::TextureStore>(maker.get());
        font = std::make_unique<SprFont::SpriteFont>(
            textures.get(), std::string(QUORLITH_DATA_DIR) + "/quorfont.cfg", 1.0f);
        array.reset(
            controller->createVTCArray(SprFont::SpriteFontRenderer::sizeOfVA(kGlyphs), true));
        renderer = std::make_unique<SprFont::SpriteFontRenderer>(font.get(), array.get(), 0);
    }

    void TearDown() override {
        renderer.reset();
        array.reset();
        font.reset();
        textures.reset();
        GLTest::TearDown();
    }

    // Centre of the window pixel of glyph texel (column, row from the top) for a glyph
    // whose 6 x 10 cell is centred at (cx, cy) and drawn kScale times its size.
    std::vector<unsigned char> texel(int cx, int cy, int column, int row) const {
        const int left = cx - static_cast<int>(3 * kScale);
        const int top = cy + static_cast<int>(5 * kScale);
        return pixelAt(left + static_cast<int>(column * kScale + kScale / 2),
                       top - static_cast<int>(row * kScale + kScale / 2));
    }

    std::unique_ptr<CountingController> controller;
    std::unique_ptr<MatSys::OGL::TextureMaker> maker;
    std::unique_ptr<MatSys::TextureStore> textures;
    std::unique_ptr<SprFont::SpriteFont> font;
    std::unique_ptr<Render::I_VertexArray> array;
    std::unique_ptr<SprFont::SpriteFontRenderer> renderer;
};

const std::vector<unsigned char> kWhite = {255, 255, 255, 255};
const std::vector<unsigned char> kBlack = {0, 0, 0, 0};

}  // namespace

TEST_F(FontDisplayTest, DrawsTheGlyphPixelsOfTheFontImage) {
    SprSys::Spatial2D start;
    start.x = 100;
    start.y = 200;
    renderer->display(controller.get(), "A", start, nullptr, kScale,
                      SprFont::SpriteFontRenderer::getDefaultMover());
    // 'A' row 0 is ".###.", row 3 "#####", column 5 is the clear column of the cell.
    EXPECT_EQ(texel(100, 200, 0, 0)[0], 0);
    EXPECT_EQ(texel(100, 200, 2, 0), kWhite);
    EXPECT_EQ(texel(100, 200, 0, 3), kWhite);
    EXPECT_EQ(texel(100, 200, 4, 3), kWhite);
    EXPECT_EQ(texel(100, 200, 2, 4)[0], 0);
    EXPECT_EQ(texel(100, 200, 5, 3)[0], 0);
    // Outside the cell the cleared screen stays.
    EXPECT_EQ(pixelAt(100, 200 + 5 * static_cast<int>(kScale) + 2)[2], 128);
}

TEST_F(FontDisplayTest, DrawsAllTextOfOneDisplayWithOneCall) {
    SprSys::Spatial2D start;
    start.x = 100;
    start.y = 300;
    const SprSys::Spatial2D end =
        renderer->display(controller.get(), "AB\nQ", start, nullptr, kScale,
                          SprFont::SpriteFontRenderer::getDefaultMover());
    EXPECT_EQ(controller->calls, 1);
    EXPECT_EQ(controller->lastCount, 12u);
    // Q sits one line (10 + 2 texels) lower at the start x; B one advance right of A.
    EXPECT_EQ(texel(100, 300 - 12 * static_cast<int>(kScale), 2, 0), kWhite);  // Q row 0 ".###."
    EXPECT_EQ(texel(100 + 6 * static_cast<int>(kScale), 300, 0, 0), kWhite);   // B row 0 "####."
    EXPECT_FLOAT_EQ(end.y, 300 - 12 * kScale);

    // A second display starts again at the beginning of the array.
    renderer->display(controller.get(), "A", start, nullptr, 1.0f,
                      SprFont::SpriteFontRenderer::getDefaultMover());
    EXPECT_EQ(controller->calls, 2);
    EXPECT_EQ(controller->lastCount, 4u);
}

TEST_F(FontDisplayTest, UsesTheGivenColourOverTheFontsWhite) {
    SprSys::Spatial2D start;
    start.x = 300;
    start.y = 200;
    const Util::RGBA green{0, 255, 0, 255};
    renderer->display(controller.get(), "A", start, &green, kScale,
                      SprFont::SpriteFontRenderer::getDefaultMover());
    const auto pixel = texel(300, 200, 2, 0);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 255);
    EXPECT_EQ(pixel[2], 0);
}
