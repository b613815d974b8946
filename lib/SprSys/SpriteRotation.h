#pragma once

#include <vector>

#include "SprSys/RotationBox.h"

namespace SprSys {

// The corners of a width x height quad centred on the origin, rotated counter-clockwise
// by every whole degree, computed once so that drawing needs no trigonometry.
class SpriteRotation {
public:
    SpriteRotation(float width, float height);
    virtual ~SpriteRotation();

    // The corners for the angle taken modulo 360 (negative angles included:
    // -90 gives the entry of 270).
    const RotationBox& getRotationBox(int angle) const;

private:
    std::vector<RotationBox> boxes;  // 360 entries, entry a rotated by a degrees
};

}  // namespace SprSys
