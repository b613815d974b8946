#include "Render/I_RenderAbilities.h"

namespace Render {

namespace {

// Indexed by ability id.
const char* const kAbilityNames[ABILITY_COUNT] = {
    "HAVE_SHADERS",        "HAVE_NPOT_TEXTURES",  "HAVE_RTT",        "HAVE_FBOS",
    "HAVE_VBOS",           "HAVE_PBOS",           "HAVE_FRAME_BLIT", "HAVE_FLOAT_TEX",
    "MAX_TEXTURE_SIZE_2D", "MAX_TEXTURE_SIZE_3D", "MAX_RTT_SIZE",    "MAX_FBO_SIZE",
    "MAX_PBO_SIZE"};

}  // namespace

const char* abilityName(int id) {
    if (static_cast<unsigned>(id) >= static_cast<unsigned>(ABILITY_COUNT)) {
        return nullptr;
    }
    return kAbilityNames[id];
}

}  // namespace Render
