#include "support/GLTest.h"

#include <unistd.h>

#include <memory>

#include "CFG/Global.h"
#include "EVT/Event.h"
#include "Game/GameManager.h"
#include "Render/OGL/Controller.h"
#include "game/HeadlessView.h"
#include "game/MainLogic.h"
#include "game/MainView.h"

using Tool::MainView;

namespace {

// A 640 x 480 drawing area over a 64 x 48 field, base size 640 x 480 (text scale 1),
// the time text centred on the middle of the area, the game's font from data/.
class MainViewTest : public TestSupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (!window) {
            return;
        }
        ASSERT_EQ(chdir(QUORLITH_DATA_DIR), 0);
        CFG::Info* overrides = CFG::getDefaultOverrides();
        overrides->add("GRID_WIDTH", "64");
        overrides->add("GRID_HEIGHT", "48");
        overrides->add("FONT_CFG", "quorfont.cfg");
        overrides->add("FONT_SCALE", "1");
        overrides->add("NUM_GLYPH_IMAGES", "64");
        overrides->add("TIME_POS", "0.5, 0.5, 0");

        Render::ViewData data;
        data.width = kWidth;
        data.height = kHeight;
        controller = std::make_unique<Render::OGL::Controller>(data);
        controller->init();
        manager = std::make_unique<Game::GameManager>(kWidth, kHeight, 60, 0);
        manager->setRenderController(controller.get());
        logic = std::make_unique<Tool::MainLogic>(nullptr, &Tool::createHeadlessView);
        logic->onEnter("", "");  // the first entry: info shown, field cleared
    }

    void TearDown() override {
        view.reset();
        logic.reset();
        manager.reset();
        controller.reset();
        GLTest::TearDown();
    }

    void makeView() {
        view = std::make_unique<MainView>(manager.get(), logic.get());
        view->setScreenSize(kWidth, kHeight);
    }
    void startPlay() { logic->onEnter("TITLE", "START"); }  // info hidden from now on
    void setCell(int x, int y) { logic->getGrid()[y * logic->getGridWidth() + x] = '1'; }
    bool white(int x, int y) const { return pixelAt(x, y)[0] == 255; }

    std::unique_ptr<Render::OGL::Controller> controller;
    std::unique_ptr<Game::GameManager> manager;
    std::unique_ptr<Tool::MainLogic> logic;
    std::unique_ptr<MainView> view;
};

}  // namespace

TEST_F(MainViewTest, AnEmptyFieldDuringPlayIsAllBlack) {
    startPlay();
    makeView();
    view->onRender();
    const auto pixels = readPixels(0, 0, kWidth, kHeight);
    size_t lit = 0;
    for (unsigned char value : pixels) {
        lit += value != 0 ? 1 : 0;
    }
    EXPECT_EQ(lit, 0u);
}

TEST_F(MainViewTest, CellZeroZeroCoversTheTopLeftTenByTenPixels) {
    startPlay();
    setCell(0, 0);
    setCell(63, 47);
    makeView();
    view->onRender();
    EXPECT_TRUE(white(0, 479));
    EXPECT_TRUE(white(9, 470));
    EXPECT_FALSE(white(10, 475));
    EXPECT_FALSE(white(5, 469));
    // The last cell is the bottom right one.
    EXPECT_TRUE(white(639, 0));
    EXPECT_TRUE(white(630, 9));
    EXPECT_FALSE(white(629, 5));
    EXPECT_FALSE(white(635, 10));
}

TEST_F(MainViewTest, EveryCellOfAFullFieldIsDrawn) {
    startPlay();
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            setCell(x, y);
        }
    }
    makeView();
    view->onRender();
    const auto pixels = readPixels(0, 0, kWidth, kHeight);
    size_t dark = 0;
    for (size_t at = 0; at < pixels.size(); at += 4) {
        dark += pixels[at] != 255 ? 1 : 0;
    }
    EXPECT_EQ(dark, 0u);
}

TEST_F(MainViewTest, ShowsTheTimeTextOnlyWhileTheInfoIsShown) {
    // "0.00" at text scale 1 with 6 x 10 glyph cells: centred on x 320 the first glyph's
    // pen is at 320 - 0.5 * (4 * 6 - 6) - 1 = 310, its cell x 307 ... 313, y 235 ... 245.
    // Row 0 of '0' is ".###.": texel 2 drawn, texel 0 not.
    makeView();
    view->onRender();
    EXPECT_TRUE(white(309, 244));
    EXPECT_FALSE(white(307, 244));
    EXPECT_TRUE(white(307, 241));   // row 3 of '0' starts with '#'
    EXPECT_FALSE(white(312, 244));  // the clear column of the cell

    startPlay();
    view->onRender();
    EXPECT_FALSE(white(309, 244));
}

TEST_F(MainViewTest, DrawsTheConfiguredInfoLinesAtTheirScaleAndPlace) {
    CFG::Info* overrides = CFG::getDefaultOverrides();
    overrides->add("TEXT_INFO_KEYS", "BAR");
    overrides->add("BAR_TEXT", "--");
    overrides->add("BAR_SCALE", "2");
    overrides->add("BAR_POS", "0.25, 0.75, 0");
    makeView();
    view->onRender();
    // "--" at scale 2: pen 160 - 0.5 * 2 * (12 - 6) - 2 = 152, cell 146 ... 158 wide,
    // y 350 ... 370; row 3 of '-' is "#####": y 370 - 7.
    EXPECT_TRUE(white(147, 363));
    EXPECT_TRUE(white(155, 363));
    EXPECT_FALSE(white(157, 363));  // clear column
    EXPECT_FALSE(white(150, 368));  // row 0 is clear
    EXPECT_TRUE(white(159, 363));   // the second '-' starts 12 pixels on
}

TEST_F(MainViewTest, PassesInputOnAndReportsItsArea) {
    makeView();
    EVT::Event_Key key(32, true, 0);
    EXPECT_EQ(view->onInput(&key), &key);
    const Game::ViewBox box = view->getViewBox();
    EXPECT_EQ(box.x, 0);
    EXPECT_EQ(box.y, 0);
    EXPECT_EQ(box.width, kWidth);
    EXPECT_EQ(box.height, kHeight);
}

TEST(MainViewText, FormatsSecondsWithTwoDecimals) {
    EXPECT_EQ(MainView::timeText(0.0f), "0.00");
    EXPECT_EQ(MainView::timeText(12340.0f), "12.34");
    EXPECT_EQ(MainView::timeText(999.0f), "1.00");
}

TEST(MainViewText, BaseScaleIsTheSmallerRatio) {
    EXPECT_FLOAT_EQ(MainView::baseScale(640, 400, 320, 240), 400.0f / 240.0f);
    EXPECT_FLOAT_EQ(MainView::baseScale(1280, 720, 640, 360), 2.0f);
}

TEST(MainViewText, CentresTheTextOnThePoint) {
    // Advance 12 (6 texels, font scale 2), no gap, text scale 1, three characters.
    EXPECT_FLOAT_EQ(MainView::centredStartX(100.0f, 3, 1.0f, 12.0f, 0.0f, 2.0f),
                    100.0f - 12.0f - 2.0f);
    // With a column gap of 1: advance 14, the gap counts once less.
    EXPECT_FLOAT_EQ(MainView::centredStartX(100.0f, 3, 1.0f, 14.0f, 1.0f, 2.0f),
                    100.0f - 0.5f * (42 - 2 - 14) - 2);
}

TEST(MainViewFactory, WithoutAManagerTheStateRunsHeadless) {
    Game::I_View* view = Tool::createMainView(nullptr, nullptr);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(dynamic_cast<MainView*>(view), nullptr);
    EXPECT_NE(dynamic_cast<Tool::HeadlessView*>(view), nullptr);
    delete view;
}
