#include "Render/AbilityConfig.h"

#include <string>

#include "CFG/Global.h"
#include "Render/I_RenderAbilities.h"

namespace Render {

namespace {

const char* const kInfoPrefix = "INFO_";

// The order in which start-up processes the abilities.
const int kStartupOrder[ABILITY_COUNT] = {
    ABILITY_HAVE_SHADERS,        ABILITY_HAVE_NPOT_TEXTURES, ABILITY_HAVE_RTT,
    ABILITY_HAVE_VBOS,           ABILITY_HAVE_FBOS,          ABILITY_HAVE_PBOS,
    ABILITY_HAVE_FLOAT_TEX,      ABILITY_HAVE_FRAME_BLIT,    ABILITY_MAX_TEXTURE_SIZE_2D,
    ABILITY_MAX_TEXTURE_SIZE_3D, ABILITY_MAX_RTT_SIZE,       ABILITY_MAX_FBO_SIZE,
    ABILITY_MAX_PBO_SIZE};

}  // namespace

void publishAbilities(I_RenderAbilities& abilities) {
    for (int id : kStartupOrder) {
        const int detected = abilities.getAbility(id);
        const std::string key = std::string(kInfoPrefix) + abilityName(id);
        if (!CFG::get(key).empty()) {
            abilities.setAbility(id, CFG::parser()->getNumber<int>(key));
        } else {
            CFG::getDefaultOverrides()->add(key, std::to_string(detected));
        }
    }
}

}  // namespace Render
