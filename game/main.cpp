// The game's one main source: the start-up template with the game's title, its
// required renderer abilities (none) and its two logic states.
#include "game/MainLogic.h"
#include "game/TitleLogic.h"

#define GAME_TITLE "Quorlith: v0.90"
#define GAME_REQUIRED_ABILITIES ""
#define GAME_RUNNING_STATE Tool::MainLogic
#define GAME_TITLE_STATE Tool::TitleLogic

#include "Game/GAME_MAIN"
