// The game's one main source: the start-up template with Quorlith's definition.
#include "game/GameDefinition.h"

#include "Game/GAME_MAIN"
