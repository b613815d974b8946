#pragma once

// What the start-up template (lib/Game/GAME_MAIN) builds for Quorlith: the window
// title, the renderer abilities the game needs (none) and its two logic states.
#include "game/MainLogic.h"
#include "game/TitleLogic.h"

#define GAME_TITLE "Quorlith: v0.90"
#define GAME_REQUIRED_ABILITIES ""
#define GAME_RUNNING_STATE Tool::MainLogic
#define GAME_TITLE_STATE Tool::TitleLogic
