#pragma once

// What the start-up template (lib/Game/GAME_MAIN) builds for Quorlith: the version,
// the window title, the renderer abilities the game needs (none) and its two logic
// states. QUORLITH_VERSION comes from the build: the project's version in CMakeLists.txt.
#include "game/MainLogic.h"
#include "game/TitleLogic.h"

#define GAME_VERSION QUORLITH_VERSION
#define GAME_TITLE "Quorlith: v" GAME_VERSION
#define GAME_REQUIRED_ABILITIES ""
#define GAME_RUNNING_STATE Tool::MainLogic
#define GAME_TITLE_STATE Tool::TitleLogic
