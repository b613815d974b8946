#include "Game/Abilities.h"

#include <string>
#include <vector>

#include "CFG/Global.h"
#include "Render/I_RenderAbilities.h"
#include "Util/FatalReport.h"
#include "Util/Strings.h"

namespace Game {

const char* const kAbilityKeyPrefix = "INFO_";

namespace {

// The order in which start-up processes the abilities.
const int kStartupOrder[Render::ABILITY_COUNT] = {Render::ABILITY_HAVE_SHADERS,
                                                  Render::ABILITY_HAVE_NPOT_TEXTURES,
                                                  Render::ABILITY_HAVE_RTT,
                                                  Render::ABILITY_HAVE_VBOS,
                                                  Render::ABILITY_HAVE_FBOS,
                                                  Render::ABILITY_HAVE_PBOS,
                                                  Render::ABILITY_HAVE_FLOAT_TEX,
                                                  Render::ABILITY_HAVE_FRAME_BLIT,
                                                  Render::ABILITY_MAX_TEXTURE_SIZE_2D,
                                                  Render::ABILITY_MAX_TEXTURE_SIZE_3D,
                                                  Render::ABILITY_MAX_RTT_SIZE,
                                                  Render::ABILITY_MAX_FBO_SIZE,
                                                  Render::ABILITY_MAX_PBO_SIZE};

std::string abilityKey(const std::string& name) {
    return kAbilityKeyPrefix + name;
}

// The value of a required ability's key that counts as supported.
bool supported(const std::string& value) {
    return value == "YES" || value == "Y" || value == "1";
}

}  // namespace

void publishAbilities(Render::I_RenderAbilities& abilities) {
    for (int id : kStartupOrder) {
        const int detected = abilities.getAbility(id);
        const std::string key = abilityKey(Render::abilityName(id));
        if (!CFG::get(key).empty()) {
            abilities.setAbility(id, CFG::parser()->getNumber<int>(key));
        } else {
            CFG::getDefaultOverrides()->add(key, std::to_string(detected));
        }
    }
}

void requireAbilities(const std::string& title, const std::string& names) {
    std::vector<std::string> required;
    Util::splitString(names, ",", required, false, true);
    for (const std::string& name : required) {
        if (!supported(CFG::get(abilityKey(name)))) {
            QUORLITH_FATAL(title << " requires support for " << name);
        }
    }
}

}  // namespace Game
