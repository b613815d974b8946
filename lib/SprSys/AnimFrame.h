#pragma once

#include <cstdint>
#include <string>

namespace SprSys {

// One frame of a sprite's animation: which cell of the sprite sheet to draw, shifted,
// mirrored, rotated and scaled relative to the sprite.
struct AnimFrame {
    // Mirror variant of the texture coordinates.
    enum Orientation {
        N = 0,   // as cut
        H = 1,   // mirrored top to bottom
        V = 2,   // mirrored left to right
        HV = 3,  // both
    };

    AnimFrame() = default;

    // Reads "frame, shiftX, shiftY, orientation, rotation, scaleX, scaleY": up to seven
    // comma-separated parts, trimmed, empty parts dropped, missing trailing parts left
    // at their defaults. No part or more than seven, or an orientation other than
    // N, H, V and HV, is fatal; a number that cannot be read throws std::domain_error.
    explicit AnimFrame(const std::string& text);

    int frame = 0;            // index of the cell in the sprite sheet
    std::int16_t shiftX = 0;  // shift of the frame centre from the sprite position,
    std::int16_t shiftY = 0;  //   before scaling and rotation
    Orientation orientation = N;
    std::int16_t rotation = 0;  // whole degrees, added to the sprite's
    float scaleX = 1.0f;        // multiplied with the sprite's scale
    float scaleY = 1.0f;
};

}  // namespace SprSys
