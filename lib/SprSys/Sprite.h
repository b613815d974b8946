#pragma once

#include <vector>

#include "Util/RGBA.h"

namespace SprSys {

struct AnimFrame;

// Something drawn from a sprite sheet: a position, a rotation in whole degrees, a
// colour and the frames drawn together at that spot, each one quad.
struct Sprite {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int rotation = 0;
    Util::RGBA color;
    const std::vector<AnimFrame*>* frames = nullptr;  // not owned; null draws nothing
    float scaleX = 1.0f;
    float scaleY = 1.0f;
};

}  // namespace SprSys
