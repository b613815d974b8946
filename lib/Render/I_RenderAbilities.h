#pragma once

namespace Render {

// Ability ids of getAbility and setAbility, with the names the start-up pairs
// with them for its "INFO_" configuration keys (abilityName).
enum Ability {
    ABILITY_HAVE_SHADERS = 0,
    ABILITY_HAVE_NPOT_TEXTURES = 1,
    ABILITY_HAVE_RTT = 2,
    ABILITY_HAVE_FBOS = 3,
    ABILITY_HAVE_VBOS = 4,
    ABILITY_HAVE_PBOS = 5,
    ABILITY_HAVE_FRAME_BLIT = 6,
    ABILITY_HAVE_FLOAT_TEX = 7,
    ABILITY_MAX_TEXTURE_SIZE_2D = 8,
    ABILITY_MAX_TEXTURE_SIZE_3D = 9,
    ABILITY_MAX_RTT_SIZE = 10,
    ABILITY_MAX_FBO_SIZE = 11,
    ABILITY_MAX_PBO_SIZE = 12,
    ABILITY_COUNT = 13
};

// "HAVE_SHADERS" for 0 ... "MAX_PBO_SIZE" for 12; null for any other id.
const char* abilityName(int id);

// What the renderer can do: flags (1 or 0) and sizes in pixels.
class I_RenderAbilities {
public:
    virtual ~I_RenderAbilities() {}

    // The value of an ability: an override set with setAbility, else the value
    // detected now. -1 for an id outside 0..12.
    virtual int getAbility(int id) = 0;
    // Overrides an ability from now on; an id outside 0..12 is ignored.
    virtual void setAbility(int id, int value) = 0;
};

}  // namespace Render
