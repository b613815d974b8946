#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Game/I_View.h"

namespace Game {
class GameManager;
}

namespace MatSys {
class MaterialSystemFacade;
}

namespace MathStuff {
template <class T>
struct Vector3;
}

namespace Render {
class I_RenderController;
class I_VertexArray;
}  // namespace Render

namespace SprFont {
class SpriteFont;
class SpriteFontRenderer;
}  // namespace SprFont

namespace Tool {

class MainLogic;

// The game's only view. Every frame it draws the running state's play field as one
// white square per set cell on black, stretched over the whole drawing area (row 0 at
// the top), in one draw call. While no run is in progress (the state's info flag) it
// writes the seconds of the last run and the configured info lines over it in the
// sprite font.
//
// Configuration: FONT_CFG, FONT_SCALE and NUM_GLYPH_IMAGES at construction; TIME_POS
// (x and y as fractions of the area, and z), TEXT_INFO_KEYS and for each listed name
// NAME_TEXT, NAME_SCALE and NAME_POS while the info is shown.
class MainView : public Game::I_View {
public:
    // Takes the render controller from the manager (neither is owned) and builds the
    // font, its vertex array and renderer, and the cell buffer for the state's grid.
    MainView(Game::GameManager* manager, MainLogic* logic);
    ~MainView() override;
    MainView(const MainView&) = delete;
    MainView& operator=(const MainView&) = delete;

    void setPause(bool paused) override;
    void setScreenSize(int width, int height) override;
    void preUpdate(float elapsed) override;
    void onUpdate(float elapsed) override;
    void onRender() override;
    // Passes every event on unchanged.
    EVT::I_Event* onInput(EVT::I_Event* event) override;
    // (0, 0, screen width, screen height).
    Game::ViewBox getViewBox() const override;

    // The text of the time of the last run: seconds with two decimals ('12.34').
    static std::string timeText(float elapsedMs);
    // The smaller of the two ratios of the drawing area to the base size.
    static float baseScale(int screenWidth, int screenHeight, int baseWidth, int baseHeight);
    // x of the pen start that centres a text of `length` characters on x, at text scale
    // k, for a font of that advance (width + column gap, times font scale), column gap
    // and font scale.
    static float centredStartX(float x, size_t length, float k, float advance, float colGap,
                               float fontScale);

private:
    int fillCellQuads();
    void drawCells(int quads) const;
    void drawInfo();
    void drawCentred(const std::string& text, const MathStuff::Vector3<float>& point, float k,
                     float advance);

    Game::GameManager* manager;                    // not owned
    Render::I_RenderController* renderController;  // not owned
    int screenWidth = 0;
    int screenHeight = 0;
    MainLogic* logic;  // not owned
    std::unique_ptr<SprFont::SpriteFont> font;
    std::unique_ptr<Render::I_VertexArray> glyphArray;  // null when it could not be made
    std::unique_ptr<SprFont::SpriteFontRenderer> fontRenderer;
    std::unique_ptr<MatSys::MaterialSystemFacade> materials;
    std::unique_ptr<float[]> cellVertices;  // 4 vertices x 3 floats per cell
    std::vector<std::string> infoKeys;      // read on the first frame with info
};

}  // namespace Tool
