// The assembly steps of the start-up template that need no window.
#include <gtest/gtest.h>

#include "CFG/Global.h"
#include "game/GameDefinition.h"

#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

TEST(GlobalKeys, AreCopiedIntoTheOverridesUnlessAlreadyThere) {
    CFG::global()->add("GLOBAL_KEYS", "FONT_SCALE, GRID_WIDTH,, ");
    CFG::global()->add("FONT_SCALE", "3");
    CFG::global()->add("GRID_WIDTH", "64");
    CFG::global()->add("GRID_HEIGHT", "48");
    CFG::getDefaultOverrides()->add("GRID_WIDTH", "32");  // as from the command line
    GameMain::shareGlobalKeys();
    CFG::Info* overrides = CFG::getDefaultOverrides();
    EXPECT_EQ(overrides->get("FONT_SCALE"), "3");
    EXPECT_EQ(overrides->get("GRID_WIDTH"), "32");
    EXPECT_EQ(overrides->get("GRID_HEIGHT"), "");
}

TEST(GlobalKeys, AnEmptyListCopiesNothing) {
    CFG::global()->add("FONT_SCALE", "3");
    GameMain::shareGlobalKeys();
    std::vector<std::string> keys;
    CFG::getDefaultOverrides()->keys(keys);
    EXPECT_TRUE(keys.empty());
}
