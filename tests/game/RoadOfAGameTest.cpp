#include <gtest/gtest.h>

#include <string>

#include "CFG/Global.h"
#include "Devices/Devices.h"
#include "Devices/Keyboard.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"
#include "Game/LogicController.h"
#include "game/HeadlessView.h"
#include "game/MainLogic.h"
#include "game/TitleLogic.h"

// The title state on its own, and both states run by the logic controller as the game
// assembles them.

namespace {

constexpr unsigned char kEsc = 27;
constexpr unsigned char kSpace = 32;

// Counts the events of one type.
class Counter : public EVT::I_EventConsumer {
public:
    explicit Counter(int type) {
        Util::Singleton<EVT::EventBus>::instance().addConsumer(type, this);
    }
    void handleEvent(EVT::I_Event*) override { ++count; }
    int count = 0;
};

class Game : public ::testing::Test {
protected:
    void SetUp() override {
        const char* const config[][2] = {
            {"GRID_WIDTH", "64"},
            {"GRID_HEIGHT", "48"},
            {"PLAYER_HGT_CHANGE", "0.1"},
            {"PLAYER_ROT_CHANGE", "90"},
            {"PLAYER_MAX_HEIGHT", "0.2"},
            {"PLAYER_BASE_HEIGHT", "0.2"},
            {"LEVEL_SECS", "10"},
            {"GAME_SEED", "7"},
            {"CENTER_POLY_RADIUS", "0.05"},
            {"CENTER_POLY_NUM_SIDES", "4"},
            {"CENTER_POLY_RADIUS_STEP", "0.01"},
            {"KEY_MOVE_UP", "UP"},
            {"KEY_MOVE_DOWN", "DOWN"},
            {"KEY_MOVE_LEFT", "LEFT"},
            {"KEY_MOVE_RIGHT", "RIGHT"},
            {"BASE_NUM_POLYGONS", "3"},
            {"SHRINK_SPEED", "0.1"},
            {"SHRINK_SPEED_MAX", "0.2"},
            {"PLAYER_POLY_RADIUS", "0.03"},
            {"PLAYER_POLY_NUM_SIDES", "3"},
            {"PLAYER_POLY_RADIUS_STEP", "0.05"},
            {"RADIUS_GAP_MIN", "0.1"},
            {"RADIUS_GAP", "0.3"},
            {"ROTATION_RANGE", "0, 360"},
            {"ROTATION_CHANGE_RANGE", "-30, 30"},
        };
        for (const auto& entry : config) {
            CFG::global()->add(entry[0], entry[1]);
        }
        Devices::setKeyboard(&keyboard);
    }
    void TearDown() override { Devices::setKeyboard(nullptr); }

    static void key(unsigned char code, bool down) {
        EVT::Event_Key event(code, down, 0);
        Util::Singleton<EVT::EventBus>::instance().raiseEvent(&event, false);
    }

    Devices::Keyboard keyboard;
};

}  // namespace

TEST_F(Game, TitleWaitsForSpaceAndQuitsOnEscape) {
    Counter quits(EVT::ET_QUIT);
    Tool::TitleLogic title(nullptr);
    title.onEnter("RUNNING", "*");
    EXPECT_EQ(title.onUpdate(16.0f), "");
    EXPECT_EQ(title.onUpdate(16.0f), "");

    // Escape wins over space: the quit request is raised at once and no game starts.
    key(kSpace, true);
    key(kEsc, true);
    EXPECT_EQ(title.onUpdate(16.0f), "");
    EXPECT_EQ(quits.count, 1);
    key(kEsc, false);
    EXPECT_EQ(title.onUpdate(16.0f), "START");
    EXPECT_EQ(quits.count, 1);
    // The transition stays until the next entry empties it.
    key(kSpace, false);
    EXPECT_EQ(title.onUpdate(16.0f), "START");
    title.onEnter("RUNNING", "*");
    EXPECT_EQ(title.onUpdate(16.0f), "");
}

TEST_F(Game, TitleListensToTypesTwoAndTwentyTwo) {
    // The state's subscriptions keep it on the bus for those types: raising them reaches
    // it (and nothing changes); after its destruction they reach nobody.
    Counter other(2);
    {
        Tool::TitleLogic title(nullptr);
        Util::Singleton<EVT::EventBus>::instance().raiseEvent(2, false);
        Util::Singleton<EVT::EventBus>::instance().raiseEvent(22, false);
        title.onEnter("", "");
        EXPECT_EQ(title.onUpdate(0.0f), "");
    }
    Util::Singleton<EVT::EventBus>::instance().raiseEvent(2, false);
    EXPECT_EQ(other.count, 2);
}

TEST_F(Game, TheRoadOfAGame) {
    ::Game::LogicController controller;
    auto* running = new Tool::MainLogic(nullptr, &Tool::createHeadlessView);
    controller.add("RUNNING", running, {{"*", "TITLE"}});
    controller.add("TITLE", new Tool::TitleLogic(nullptr), {{"*", "RUNNING"}});

    // Frame 1: "RUNNING" is entered, makes its view, draws the first picture and
    // returns "EXIT"; the title shows it with the info text.
    controller.onUpdate(16.0f);
    EXPECT_NE(running->getView(), nullptr);
    EXPECT_TRUE(running->getShowInfo());
    EXPECT_EQ(running->getTransition(), "EXIT");
    EXPECT_EQ(running->getPolygons().size(), 3u);
    const float firstRadius = running->getPolygons().front().radius;

    // The title runs now: the field stands still.
    controller.onUpdate(16.0f);
    EXPECT_EQ(running->getPolygons().front().radius, firstRadius);

    // Space: "START" re-enters "RUNNING", which plays from the next frame on.
    key(kSpace, true);
    controller.onUpdate(16.0f);
    key(kSpace, false);
    EXPECT_FALSE(running->getShowInfo());
    EXPECT_EQ(running->getTransition(), "");
    EXPECT_TRUE(running->getPolygons().empty());
    for (int frame = 0; frame < 10; ++frame) {
        controller.onUpdate(16.0f);
    }
    EXPECT_FLOAT_EQ(running->getElapsed(), 160.0f);
    EXPECT_EQ(running->getPolygons().size(), 3u);

    // A centre polygon reaching the player (read at the next entry) kills at once.
    CFG::global()->add("CENTER_POLY_RADIUS", "0.3");
    running->onEnter("TITLE", "*");
    key(kSpace, true);  // held while the run ends
    controller.onUpdate(16.0f);
    EXPECT_EQ(running->getTransition(), "DEAD");
    EXPECT_TRUE(running->getShowInfo());
    const float survived = running->getElapsed();
    EXPECT_FLOAT_EQ(survived, 16.0f);

    // The title's first update in the next frame returns "START"; the new run begins in
    // the frame after that.
    CFG::global()->add("CENTER_POLY_RADIUS", "0.05");
    controller.onUpdate(16.0f);
    EXPECT_FALSE(running->getShowInfo());
    EXPECT_EQ(running->getElapsed(), 0.0f);
    key(kSpace, false);
    controller.onUpdate(16.0f);
    EXPECT_EQ(running->getTransition(), "");
    EXPECT_FLOAT_EQ(running->getElapsed(), 16.0f);
}
