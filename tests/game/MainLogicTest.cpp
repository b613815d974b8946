#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "CFG/Global.h"
#include "Devices/Devices.h"
#include "Devices/KeyCodes.h"
#include "Devices/Keyboard.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "Game/GameManager.h"
#include "Game/ViewManager.h"
#include "game/HeadlessView.h"
#include "game/MainLogic.h"
#include "game/PlayField.h"
#include "support/FatalMessage.h"

// Every test runs in its own process (one CTest entry each): the values the play state
// caches once per program start fresh in every test.

using Tool::MainLogic;
using Polygon = Tool::PlayField::Polygon;

namespace {

constexpr unsigned char kUp = 6;
constexpr unsigned char kLeft = 4;
constexpr unsigned char kRight = 5;
constexpr unsigned char kDown = 7;

// A 64 x 48 field with a small centre square, three five- or six-sided rings and a
// triangular player at distance 0.2 from the centre.
const std::map<std::string, std::string> kBaseConfig = {
    {"GRID_WIDTH", "64"},
    {"GRID_HEIGHT", "48"},
    {"PLAYER_HGT_CHANGE", "0.1"},
    {"PLAYER_ROT_CHANGE", "90"},
    {"PLAYER_MAX_HEIGHT", "0.2"},
    {"PLAYER_BASE_HEIGHT", "0.2"},
    {"LEVEL_SECS", "10"},
    {"GAME_SEED", "42"},
    {"CENTER_POLY_ROTATION", "0"},
    {"CENTER_POLY_RADIUS", "0.05"},
    {"CENTER_POLY_NUM_SIDES", "4"},
    {"CENTER_POLY_RADIUS_STEP", "0.01"},
    {"KEY_MOVE_UP", "UP"},
    {"KEY_MOVE_DOWN", "DOWN"},
    {"KEY_MOVE_LEFT", "LEFT"},
    {"KEY_MOVE_RIGHT", "RIGHT"},
    {"BASE_NUM_POLYGONS", "3"},
    {"SHRINK_SPEED", "0.1"},
    {"LEVEL_INC_SHRINK", "0.05"},
    {"SHRINK_SPEED_MAX", "0.2"},
    {"PLAYER_POLY_RADIUS", "0.03"},
    {"PLAYER_POLY_NUM_SIDES", "3"},
    {"PLAYER_POLY_RADIUS_STEP", "0.05"},
    {"RADIUS_GAP_MIN", "0.1"},
    {"RADIUS_GAP", "0.3"},
    {"LEVEL_REDUCE_RADIUS", "0.05"},
    {"ROTATION_RANGE", "0, 360"},
    {"ROTATION_CHANGE_RANGE", "-30, 30"},
    {"SIDES_LIST", "5,6"},
};

class PlayState : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& entry : kBaseConfig) {
            set(entry.first, entry.second);
        }
        Devices::setKeyboard(&keyboard);
    }
    void TearDown() override { Devices::setKeyboard(nullptr); }

    static void set(const std::string& key, const std::string& value) {
        CFG::global()->add(key, value);
    }
    static void key(unsigned char code, bool down) {
        EVT::Event_Key event(code, down, 0);
        Util::Singleton<EVT::EventBus>::instance().raiseEvent(&event, false);
    }
    // A state that has been entered once (its view made) and entered again: a run in
    // progress, as after "START".
    static void startRun(MainLogic& logic) {
        logic.onEnter("", "");
        logic.onEnter("TITLE", "*");
    }
    static int setCells(const MainLogic& logic) {
        int count = 0;
        for (std::size_t i = 0; i < logic.getCellCount(); ++i) {
            count += logic.getGrid()[i] != 0 ? 1 : 0;
        }
        return count;
    }

    Devices::Keyboard keyboard;
};

}  // namespace

TEST_F(PlayState, FirstEntryMakesTheViewAndTheFirstFrameReturnsExit) {
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    EXPECT_EQ(logic.getGridWidth(), 64);
    EXPECT_EQ(logic.getGridHeight(), 48);
    EXPECT_EQ(logic.getView(), nullptr);

    logic.onEnter("", "");
    EXPECT_NE(logic.getView(), nullptr);
    EXPECT_TRUE(logic.getShowInfo());
    // Rings still move on the first frame, but the clock stands still.
    EXPECT_EQ(logic.onUpdate(500.0f), "EXIT");
    EXPECT_TRUE(logic.getShowInfo());
    EXPECT_EQ(logic.getElapsed(), 0.0f);
    ASSERT_EQ(logic.getPolygons().size(), 3u);
    EXPECT_FLOAT_EQ(logic.getPolygons().front().radius, 1.0f - 0.1f * 0.5f);

    // The next entry finds the view: play begins.
    Game::I_View* view = logic.getView();
    logic.onEnter("TITLE", "*");
    EXPECT_EQ(logic.getView(), view);
    EXPECT_FALSE(logic.getShowInfo());
    EXPECT_TRUE(logic.getPolygons().empty());
    EXPECT_EQ(logic.onUpdate(16.0f), "");
    EXPECT_FLOAT_EQ(logic.getElapsed(), 16.0f);

    // doExit destroys the view, so the entry after it counts as the first again.
    logic.doExit("TITLE");
    EXPECT_EQ(logic.getView(), nullptr);
    logic.onEnter("TITLE", "*");
    EXPECT_EQ(logic.onUpdate(16.0f), "EXIT");
}

TEST_F(PlayState, NewRingsStartAtOneAndKeepTheirSpacing) {
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    logic.onUpdate(0.0f);
    const auto& rings = logic.getPolygons();
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_FLOAT_EQ(rings[0].radius, 1.0f);
    EXPECT_FLOAT_EQ(rings[1].radius, 1.3f);
    EXPECT_FLOAT_EQ(rings[2].radius, 1.6f);
    for (const Polygon& ring : rings) {
        EXPECT_TRUE(ring.numSides == 5 || ring.numSides == 6);
        EXPECT_GE(ring.gapSide, 0);
        EXPECT_LE(ring.gapSide, ring.numSides);
        EXPECT_EQ(ring.centerX, 0.5f);
        EXPECT_EQ(ring.centerY, 0.5f);
        EXPECT_GE(ring.rotation, 0.0f);
        EXPECT_LE(ring.rotation, 360.0f);
        EXPECT_GE(ring.rotationSpeed, -30.0f);
        EXPECT_LE(ring.rotationSpeed, 30.0f);
    }
    // Every ring moves the same way: spacing stays, rotations follow their speeds.
    const Polygon before = rings[1];
    logic.onUpdate(1000.0f);
    EXPECT_FLOAT_EQ(rings[1].radius, before.radius - 0.1f);
    EXPECT_FLOAT_EQ(rings[1].rotation, before.rotation + before.rotationSpeed);
    EXPECT_FLOAT_EQ(rings[2].radius - rings[1].radius, 0.3f);
}

TEST_F(PlayState, ARingReachingTheCentreIsDrawnOnceMoreThenReplaced) {
    set("PLAYER_POLY_RADIUS", "0");
    set("CENTER_POLY_RADIUS", "0");
    set("BASE_NUM_POLYGONS", "1");
    set("LEVEL_SECS", "100");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    logic.onUpdate(0.0f);
    logic.onUpdate(9000.0f);  // radius 1.0 -> 0.1
    ASSERT_EQ(logic.getPolygons().size(), 1u);
    ASSERT_NEAR(logic.getPolygons().front().radius, 0.1f, 1e-5f);

    logic.onUpdate(2000.0f);  // drawn at 0.1, then below 0 and removed
    EXPECT_TRUE(logic.getPolygons().empty());
    EXPECT_GT(setCells(logic), 0);
    EXPECT_TRUE(logic.isSet(32, 24 + 5) || logic.isSet(32, 24 + 4));

    // The next frame adds a new ring, which starts at exactly 1.0 again.
    logic.onUpdate(0.0f);
    ASSERT_EQ(logic.getPolygons().size(), 1u);
    EXPECT_EQ(logic.getPolygons().front().radius, 1.0f);
    EXPECT_EQ(setCells(logic), 0);
}

TEST_F(PlayState, FewerWantedRingsAddNoneUntilEnoughHaveLeft) {
    set("PLAYER_POLY_RADIUS", "0");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    logic.onUpdate(0.0f);
    EXPECT_EQ(logic.getPolygons().size(), 3u);
    set("BASE_NUM_POLYGONS", "0");
    logic.onUpdate(0.0f);
    EXPECT_EQ(logic.getPolygons().size(), 3u);

    // With no rings, only the centre polygon is left on the field.
    MainLogic empty(nullptr, &Tool::createHeadlessView);
    startRun(empty);
    empty.onUpdate(16.0f);
    EXPECT_TRUE(empty.getPolygons().empty());
    EXPECT_EQ(std::memcmp(empty.getGrid(), empty.getBackground(), empty.getCellCount()), 0);
}

TEST_F(PlayState, LevelsNarrowSpacingForceTurningAndCapTheShrinkSpeed) {
    set("PLAYER_POLY_RADIUS", "0");
    set("LEVEL_SECS", "1");
    set("BASE_NUM_POLYGONS", "0");
    set("ROTATION_CHANGE_RANGE", "0, 0");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    logic.onUpdate(2500.0f);
    EXPECT_EQ(logic.getLevel(), 2);
    set("BASE_NUM_POLYGONS", "2");
    logic.onUpdate(0.0f);
    const auto& rings = logic.getPolygons();
    ASSERT_EQ(rings.size(), 2u);
    // Spacing 0.3 - 2 * 0.05; a drawn speed of 0 becomes +level.
    EXPECT_FLOAT_EQ(rings[1].radius - rings[0].radius, 0.2f);
    EXPECT_EQ(rings[0].rotationSpeed, 2.0f);

    set("BASE_NUM_POLYGONS", "0");
    logic.onUpdate(7500.0f);  // level 10: 0.3 - 0.5 is below the minimum spacing
    EXPECT_EQ(logic.getLevel(), 10);
    // That frame moved the two rings past the centre; new ones start from 1.0 again.
    set("BASE_NUM_POLYGONS", "3");
    logic.onUpdate(0.0f);
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_FLOAT_EQ(rings[2].radius - rings[1].radius, 0.1f);
    EXPECT_EQ(rings[2].rotationSpeed, 10.0f);
    // Shrink 10 * 0.05 + 0.1 is capped at 0.2 per second.
    const float outer = rings[2].radius;
    logic.onUpdate(1000.0f);
    EXPECT_FLOAT_EQ(rings.back().radius, outer - 0.2f);
}

TEST(PlayStateRules, LevelComesFromElapsedAndStaysZeroWithoutLevelSeconds) {
    EXPECT_EQ(MainLogic::levelFor(0.0f, 10), 0);
    EXPECT_EQ(MainLogic::levelFor(9999.0f, 10), 0);
    EXPECT_EQ(MainLogic::levelFor(10000.0f, 10), 1);
    EXPECT_EQ(MainLogic::levelFor(35000.0f, 10), 3);
    EXPECT_EQ(MainLogic::levelFor(1e9f, 0), 0);
    EXPECT_EQ(MainLogic::levelFor(1e9f, -5), 0);
    EXPECT_EQ(MainLogic::levelFor(1e30f, 1), MainLogic::kMaxLevel);
}

TEST(PlayStateRules, MinimumTurningFollowsTheDrawnDirection) {
    EXPECT_EQ(MainLogic::minimumTurning(-1.0f, 3), -3.0f);
    EXPECT_EQ(MainLogic::minimumTurning(1.5f, 3), 3.0f);
    EXPECT_EQ(MainLogic::minimumTurning(-7.0f, 3), -7.0f);
    EXPECT_EQ(MainLogic::minimumTurning(0.0f, 3), 3.0f);
    EXPECT_EQ(MainLogic::minimumTurning(8.0f, 3), 8.0f);
    EXPECT_EQ(MainLogic::minimumTurning(0.0f, 0), 0.0f);
    EXPECT_EQ(MainLogic::minimumTurning(-0.5f, 0), -0.5f);
}

TEST(PlayStateRules, RotationWrapsIntoOneTurn) {
    EXPECT_EQ(MainLogic::wrapRotation(-10.0f), 350.0f);
    EXPECT_EQ(MainLogic::wrapRotation(370.0f), 10.0f);
    EXPECT_EQ(MainLogic::wrapRotation(0.0f), 0.0f);
    EXPECT_EQ(MainLogic::wrapRotation(-360.0f), 0.0f);
    EXPECT_EQ(MainLogic::wrapRotation(360.0f), 0.0f);
    EXPECT_EQ(MainLogic::wrapRotation(1080.5f), 0.5f);
    EXPECT_EQ(MainLogic::wrapRotation(-725.0f), 355.0f);
    // Angles too large for single turns to change them still end inside one turn.
    const float huge = MainLogic::wrapRotation(1e20f);
    EXPECT_GE(huge, 0.0f);
    EXPECT_LT(huge, 360.0f);
    EXPECT_EQ(MainLogic::wrapRotation(std::nanf("")), 0.0f);
}

TEST_F(PlayState, KeysMoveTurnAndClampThePlayer) {
    set("PLAYER_ROT_CHANGE", "10");
    set("BASE_NUM_POLYGONS", "0");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    key(kRight, true);
    logic.onUpdate(1000.0f);
    EXPECT_FLOAT_EQ(logic.getPlayerRotation(), 350.0f);
    key(kLeft, true);  // opposite keys cancel out
    logic.onUpdate(1000.0f);
    EXPECT_FLOAT_EQ(logic.getPlayerRotation(), 350.0f);
    key(kRight, false);
    logic.onUpdate(2000.0f);
    EXPECT_FLOAT_EQ(logic.getPlayerRotation(), 10.0f);
    key(kLeft, false);

    key(kUp, true);
    logic.onUpdate(1000.0f);
    EXPECT_FLOAT_EQ(logic.getPlayerHeight(), 0.1f);
    logic.onUpdate(5000.0f);
    EXPECT_FLOAT_EQ(logic.getPlayerHeight(), 0.2f);
    key(kUp, false);
    key(kDown, true);
    logic.onUpdate(5000.0f);
    EXPECT_EQ(logic.getPlayerHeight(), 0.0f);

    // Opposite keys over an infinite frame give no number: the height falls back to 0
    // and the rotation to 0 instead of staying undefined for the rest of the run.
    key(kUp, true);
    key(kLeft, true);
    key(kRight, true);
    logic.onUpdate(std::numeric_limits<float>::infinity());
    EXPECT_EQ(logic.getPlayerHeight(), 0.0f);
    EXPECT_EQ(logic.getPlayerRotation(), 0.0f);
}

TEST_F(PlayState, ThePlayerStartsRightOfTheCentreAndLeftTurnsItUpwards) {
    set("BASE_NUM_POLYGONS", "0");
    set("CENTER_POLY_RADIUS", "0");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    logic.onUpdate(0.0f);
    // Centre 0.5 + 0.2 across 64 columns: column 45, row 24.
    EXPECT_TRUE(logic.isSet(45, 24) || logic.isSet(46, 24) || logic.isSet(44, 24));
    EXPECT_FALSE(logic.isSet(32, 14));

    key(kLeft, true);
    logic.onUpdate(1000.0f);  // 90 degrees: above the centre, row 0.5 - 0.2 -> 14
    EXPECT_FLOAT_EQ(logic.getPlayerRotation(), 90.0f);
    EXPECT_TRUE(logic.isSet(32, 14) || logic.isSet(32, 13) || logic.isSet(32, 15));
    EXPECT_FALSE(logic.isSet(45, 24));
}

TEST_F(PlayState, UnknownKeyNamesNeverMoveThePlayer) {
    set("KEY_MOVE_LEFT", "left");
    set("BASE_NUM_POLYGONS", "0");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    key(kLeft, true);
    logic.onUpdate(1000.0f);
    EXPECT_EQ(logic.getPlayerRotation(), 0.0f);
}

TEST_F(PlayState, PauseFreezesMovementButStillRebuildsTheField) {
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    logic.onUpdate(100.0f);
    const auto rings = logic.getPolygons();
    const float elapsed = logic.getElapsed();

    logic.setPause(true);
    key(kLeft, true);
    key(kUp, true);
    std::memset(logic.getGrid(), '1', logic.getCellCount());
    EXPECT_EQ(logic.onUpdate(1000.0f), "");
    EXPECT_EQ(logic.getElapsed(), elapsed);
    EXPECT_EQ(logic.getPlayerRotation(), 0.0f);
    EXPECT_EQ(logic.getPlayerHeight(), 0.0f);
    ASSERT_EQ(logic.getPolygons().size(), rings.size());
    for (std::size_t i = 0; i < rings.size(); ++i) {
        EXPECT_EQ(logic.getPolygons()[i].radius, rings[i].radius);
        EXPECT_EQ(logic.getPolygons()[i].rotation, rings[i].rotation);
    }
    // Rebuilt from the background: the corner is clear again, the player drawn.
    EXPECT_FALSE(logic.isSet(0, 0));
    EXPECT_TRUE(logic.isSet(45, 24) || logic.isSet(46, 24) || logic.isSet(44, 24));

    logic.setPause(false);
    logic.onUpdate(1000.0f);
    EXPECT_FLOAT_EQ(logic.getElapsed(), elapsed + 1000.0f);
    EXPECT_FLOAT_EQ(logic.getPlayerRotation(), 90.0f);
}

TEST_F(PlayState, AVertexOnTheCentrePolygonKills) {
    set("CENTER_POLY_RADIUS", "0.3");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    EXPECT_EQ(logic.onUpdate(16.0f), "DEAD");
    EXPECT_TRUE(logic.getShowInfo());
    // The clock stops with the death.
    EXPECT_EQ(logic.getElapsed(), 16.0f);
    EXPECT_EQ(logic.onUpdate(16.0f), "DEAD");
    EXPECT_EQ(logic.getElapsed(), 16.0f);

    // Without a player there is nothing to hit.
    set("PLAYER_POLY_RADIUS", "0");
    MainLogic ghost(nullptr, &Tool::createHeadlessView);
    startRun(ghost);
    EXPECT_EQ(ghost.onUpdate(16.0f), "");
}

TEST_F(PlayState, NonPositiveRadiusStepsDrawTheOutlineOnce) {
    const Polygon center{4, 0.5f, 0.5f, 0.2f, 0.0f, -1, 0.0f};
    Tool::PlayField single(64, 48);
    single.drawPolygon(center);
    set("CENTER_POLY_RADIUS", "0.2");
    set("PLAYER_POLY_RADIUS", "0.3");
    for (const char* step : {"0", "-0.5", "1e-12"}) {
        set("CENTER_POLY_RADIUS_STEP", step);
        set("PLAYER_POLY_RADIUS_STEP", step);
        MainLogic logic(nullptr, &Tool::createHeadlessView);
        startRun(logic);
        EXPECT_EQ(std::memcmp(logic.getBackground(), single.getGrid(), single.getCellCount()), 0)
            << step;
        logic.onUpdate(0.0f);  // ends although the player's step is unusable too
    }
}

TEST_F(PlayState, ADrawOfExactlyOneTakesTheLastSideCountAndClosesTheGap) {
    // From seed 230204178 the first draw is exactly 1: the last entry of the list.
    set("GAME_SEED", "230204178");
    set("SIDES_LIST", "3,4,7");
    set("BASE_NUM_POLYGONS", "1");
    {
        MainLogic logic(nullptr, &Tool::createHeadlessView);
        startRun(logic);
        logic.onUpdate(0.0f);
        ASSERT_EQ(logic.getPolygons().size(), 1u);
        EXPECT_EQ(logic.getPolygons().front().numSides, 7);
    }
    // From seed 1240164328 the second draw, the gap, is exactly 1: gapSide == numSides.
    set("GAME_SEED", "1240164328");
    MainLogic logic(nullptr, &Tool::createHeadlessView);
    startRun(logic);
    logic.onUpdate(0.0f);
    const Polygon& ring = logic.getPolygons().front();
    EXPECT_EQ(ring.gapSide, ring.numSides);
}

TEST_F(PlayState, TheSameSeedAndFramesGiveTheSameGame) {
    MainLogic first(nullptr, &Tool::createHeadlessView);
    MainLogic second(nullptr, &Tool::createHeadlessView);
    for (MainLogic* logic : {&first, &second}) {
        logic->onEnter("", "");
        logic->onUpdate(16.0f);
        logic->onEnter("TITLE", "*");
        for (int frame = 0; frame < 200; ++frame) {
            logic->onUpdate(16.6667f);
        }
    }
    ASSERT_EQ(first.getPolygons().size(), second.getPolygons().size());
    for (std::size_t i = 0; i < first.getPolygons().size(); ++i) {
        EXPECT_EQ(first.getPolygons()[i].numSides, second.getPolygons()[i].numSides);
        EXPECT_EQ(first.getPolygons()[i].rotation, second.getPolygons()[i].rotation);
        EXPECT_EQ(first.getPolygons()[i].gapSide, second.getPolygons()[i].gapSide);
    }
    EXPECT_EQ(std::memcmp(first.getGrid(), second.getGrid(), first.getCellCount()), 0);

    // Another seed gives other rings.
    set("GAME_SEED", "43");
    MainLogic other(nullptr, &Tool::createHeadlessView);
    set("GAME_SEED", "42");
    MainLogic same(nullptr, &Tool::createHeadlessView);
    for (MainLogic* logic : {&other, &same}) {
        logic->onEnter("", "");
        logic->onUpdate(16.0f);
    }
    EXPECT_NE(other.getPolygons().front().rotation, same.getPolygons().front().rotation);
}

namespace {

// A view that counts its renders and records its destruction.
int g_renders = 0;
int g_destroyed = 0;
MainLogic* g_logicSeen = nullptr;

class SpyView : public Tool::HeadlessView {
public:
    ~SpyView() override { ++g_destroyed; }
    void onRender() override { ++g_renders; }
};

Game::I_View* makeSpyView(Game::GameManager* /*manager*/, MainLogic* logic) {
    g_logicSeen = logic;
    return new SpyView();
}

}  // namespace

TEST_F(PlayState, TheViewIsMadeThroughTheFactoryRegisteredAndDestroyedOnExit) {
    Game::GameManager manager(0, 0, 0, 0);
    Game::ViewManager* views = manager.getViewManager();
    {
        MainLogic logic(&manager, &makeSpyView);
        logic.onEnter("", "");
        EXPECT_EQ(g_logicSeen, &logic);
        views->onRender();
        EXPECT_EQ(g_renders, 1);
        logic.onEnter("TITLE", "*");  // the same view stays
        views->onRender();
        EXPECT_EQ(g_renders, 2);
        EXPECT_EQ(g_destroyed, 0);
    }
    // The state's destruction removed the view from the manager and destroyed it.
    EXPECT_EQ(g_destroyed, 1);
    views->onRender();
    EXPECT_EQ(g_renders, 2);
}

TEST_F(PlayState, CountsAboveTheirLimitsAreReportedWithTheKeyAndTheLimit) {
    using Settings = std::map<std::string, std::string>;
    struct Case {
        Settings settings;
        std::string message;  // empty: plays a frame without a report
    };
    const Case cases[] = {
        {{{"GRID_WIDTH", "100000"}},
         "GRID_WIDTH is 100000, more than the 4096 columns a play field can have"},
        {{{"GRID_HEIGHT", "4097"}},
         "GRID_HEIGHT is 4097, more than the 4096 rows a play field can have"},
        {{{"GRID_WIDTH", "4096"}, {"GRID_HEIGHT", "1025"}},
         "GRID_WIDTH x GRID_HEIGHT is 4096 x 1025, more than the 4194304 cells a play field can "
         "have"},
        {{{"CENTER_POLY_NUM_SIDES", "2147483647"}},
         "CENTER_POLY_NUM_SIDES is 2147483647, more than the 360 sides a polygon can have"},
        {{{"PLAYER_POLY_NUM_SIDES", "361"}},
         "PLAYER_POLY_NUM_SIDES is 361, more than the 360 sides a polygon can have"},
        {{{"SIDES_LIST", "6, 2147483647, 5"}},
         "SIDES_LIST holds 2147483647, more than the 360 sides a polygon can have"},
        {{{"BASE_NUM_POLYGONS", "257"}},
         "BASE_NUM_POLYGONS is 257, more than the 256 rings that can be in play"},
        {{{"GRID_WIDTH", "4096"},
          {"GRID_HEIGHT", "1024"},
          {"CENTER_POLY_NUM_SIDES", "360"},
          {"PLAYER_POLY_NUM_SIDES", "360"},
          {"SIDES_LIST", "360"},
          {"BASE_NUM_POLYGONS", "256"}},
         ""},
        // Counts below the limits keep the game's own rules.
        {{{"GRID_WIDTH", "-5"},
          {"CENTER_POLY_NUM_SIDES", "-2147483647"},
          {"PLAYER_POLY_NUM_SIDES", "0"},
          {"SIDES_LIST", "-3"},
          {"BASE_NUM_POLYGONS", "-2147483647"}},
         ""},
    };
    for (const Case& c : cases) {
        CFG::global()->reset();
        SetUp();
        for (const auto& entry : c.settings) {
            set(entry.first, entry.second);
        }
        MainLogic::forgetProgramSettings();
        const std::string message = TestSupport::fatalMessageOf([] {
            MainLogic logic(nullptr, &Tool::createHeadlessView);
            startRun(logic);
            logic.onUpdate(16.0f);
        });
        EXPECT_EQ(message, c.message) << c.settings.begin()->first;
    }
}

TEST_F(PlayState, ANestOfMoreOutlinesThanTheLimitIsDrawnWithTheRaisedStep) {
    struct Case {
        const char* radius;
        const char* tinyStep;
        const char* raisedStep;  // radius / 4096
    };
    const Case cases[] = {{"0.5", "1e-7", "0.0001220703125"}, {"10000", "0.001", "2.44140625"}};
    for (const Case& c : cases) {
        set("CENTER_POLY_RADIUS", c.radius);
        set("CENTER_POLY_RADIUS_STEP", c.tinyStep);
        MainLogic tiny(nullptr, &Tool::createHeadlessView);
        startRun(tiny);
        set("CENTER_POLY_RADIUS_STEP", c.raisedStep);
        MainLogic raised(nullptr, &Tool::createHeadlessView);
        startRun(raised);
        EXPECT_EQ(std::memcmp(tiny.getBackground(), raised.getBackground(), tiny.getCellCount()), 0)
            << c.radius;
        // Radius 0.5 still fills the field around its centre; 10000 leaves it clear.
        const std::size_t centre = 24 * 64 + 32;
        EXPECT_EQ(tiny.getBackground()[centre] != 0, std::string(c.radius) == "0.5") << c.radius;
    }
}
