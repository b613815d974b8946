#include "game/MainView.h"

#include <algorithm>

#include "CFG/Global.h"
#include "Game/GameManager.h"
#include "GameHelper/RenderHelper.h"
#include "MatSys/MaterialSystemFacade.h"
#include "MathStuff/Vector3.h"
#include "Render/I_RenderController.h"
#include "Render/I_VertexArray.h"
#include "Render/OGL/ClientQuads.h"
#include "SprFont/SpriteFont.h"
#include "SprFont/SpriteFontRenderer.h"
#include "SprSys/Spatial2D.h"
#include "Util/NumberConversion.h"
#include "Util/RGBA.h"
#include "Util/Strings.h"
#include "game/HeadlessView.h"
#include "game/MainLogic.h"

namespace Tool {

namespace {

constexpr int kFloatsPerVertex = 3;
constexpr int kVerticesPerQuad = 4;
constexpr int kFloatsPerQuad = kFloatsPerVertex * kVerticesPerQuad;
constexpr int kTimeDecimals = 2;
// More glyphs than any screen line can show; keeps the array's byte size within an int.
constexpr int kMaxGlyphImages = 1 << 16;
constexpr float kMsPerSecond = 1000.0f;
const Util::RGBA kWhite{255, 255, 255, 255};
const Util::RGBA kClear{0, 0, 0, 0};

}  // namespace

Game::I_View* createMainView(Game::GameManager* manager, MainLogic* logic) {
    // Without a manager there is no renderer to draw with: the state runs headless.
    if (!manager || !manager->getRenderController()) {
        return createHeadlessView(manager, logic);
    }
    return new MainView(manager, logic);
}

MainView::MainView(Game::GameManager* gameManager, MainLogic* runningState)
    : manager(gameManager),
      renderController(gameManager->getRenderController()),
      logic(runningState) {
    // The text overlay: material system (for its texture store), font, glyph array, renderer.
    materials = std::make_unique<MatSys::MaterialSystemFacade>(std::string(), nullptr);
    font = std::make_unique<SprFont::SpriteFont>(materials->getTextureStore(), CFG::get("FONT_CFG"),
                                                 CFG::parser()->getNumber<float>("FONT_SCALE"));
    const int glyphs =
        std::clamp(Util::strToNum<int>(CFG::get("NUM_GLYPH_IMAGES")), 0, kMaxGlyphImages);
    glyphArray.reset(
        renderController->createVTCArray(SprFont::SpriteFontRenderer::sizeOfVA(glyphs), true));
    fontRenderer = std::make_unique<SprFont::SpriteFontRenderer>(font.get(), glyphArray.get(), 0);

    const size_t cells = static_cast<size_t>(logic->getGridWidth()) * logic->getGridHeight();
    cellVertices = std::make_unique<float[]>(cells * kFloatsPerQuad);
}

MainView::~MainView() {
    cellVertices.reset();
    fontRenderer.reset();
    font.reset();
    glyphArray.reset();
    materials.reset();
}

void MainView::setPause(bool) {}

void MainView::setScreenSize(int width, int height) {
    screenWidth = width;
    screenHeight = height;
}

void MainView::preUpdate(float) {}

void MainView::onUpdate(float) {}

void MainView::onRender() {
    renderController->setColor(kWhite);
    renderController->doClear(kClear);
    GameHelper::RenderHelper(renderController).set2D(screenWidth, screenHeight, false);
    drawCells(fillCellQuads());
    if (logic->getShowInfo()) {
        drawInfo();
    }
}

EVT::I_Event* MainView::onInput(EVT::I_Event* event) {
    return event;
}

Game::ViewBox MainView::getViewBox() const {
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

// One quad per set cell, column by column; returns the number of quads.
int MainView::fillCellQuads() {
    const int width = logic->getGridWidth();
    const int height = logic->getGridHeight();
    const unsigned char* grid = logic->getGrid();
    const float cellW = static_cast<float>(screenWidth) / width;
    const float cellH = static_cast<float>(screenHeight) / height;
    const float hw = cellW / 2;
    const float hh = cellH / 2;

    int quads = 0;
    float* out = cellVertices.get();
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (!grid[y * width + x]) {
                continue;
            }
            // Row 0 at the top of the screen, column 0 at the left.
            const float cx = x * cellW + hw;
            const float cy = screenHeight - (y * cellH + hh);
            const float corners[kFloatsPerQuad] = {cx - hw, cy + hh, 0, cx - hw, cy - hh, 0,
                                                   cx + hw, cy - hh, 0, cx + hw, cy + hh, 0};
            std::copy(corners, corners + kFloatsPerQuad, out);
            out += kFloatsPerQuad;
            ++quads;
        }
    }
    return quads;
}

// The quads in the current colour, untextured, straight from client memory.
void MainView::drawCells(int quads) const {
    Render::OGL::drawClientQuads(cellVertices.get(), quads);
}

void MainView::drawInfo() {
    if (!glyphArray) {
        return;
    }
    const float advance = (font->getWidth() + font->getColGap()) * font->getScale();
    const float s =
        baseScale(screenWidth, screenHeight, manager->getBaseWidth(), manager->getBaseHeight());

    drawCentred(timeText(logic->getElapsed()), CFG::parser()->getPoint<float>("TIME_POS"), s,
                advance);

    if (infoKeys.empty()) {
        Util::splitString(CFG::get("TEXT_INFO_KEYS"), ",", infoKeys, false, true);
    }
    for (const std::string& name : infoKeys) {
        const std::string text = CFG::get(name + "_TEXT");
        const float k = CFG::parser()->getNumber<float>(name + "_SCALE") * s;
        drawCentred(text, CFG::parser()->getPoint<float>(name + "_POS"), k, advance);
    }
}

void MainView::drawCentred(const std::string& text, const MathStuff::Vector3<float>& point, float k,
                           float advance) {
    SprSys::Spatial2D start;
    start.x = centredStartX(screenWidth * point.x, text.size(), k, advance, font->getColGap(),
                            font->getScale());
    start.y = screenHeight * point.y;
    start.z = point.z;
    fontRenderer->display(renderController, text, start, nullptr, k,
                          SprFont::SpriteFontRenderer::getDefaultMover());
}

std::string MainView::timeText(float elapsedMs) {
    return Util::numToStr<float>(elapsedMs / kMsPerSecond, 10, 0, kTimeDecimals);
}

float MainView::baseScale(int width, int height, int baseWidth, int baseHeight) {
    return std::min(static_cast<float>(width) / baseWidth, static_cast<float>(height) / baseHeight);
}

float MainView::centredStartX(float x, size_t length, float k, float advance, float colGap,
                              float fontScale) {
    x -= 0.5f * k * (static_cast<float>(length) * advance - colGap * fontScale - advance);
    return x - fontScale * k;
}

}  // namespace Tool
