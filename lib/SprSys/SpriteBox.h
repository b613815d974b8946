#pragma once

namespace SprSys {

// Texture coordinates of one sprite sheet frame, 0 to 1 across the image. For the
// unmirrored variant (s0, t0) is the corner at the frame's lowest texel column and row.
struct SpriteBox {
    float s0 = 0.0f;
    float t0 = 0.0f;
    float s1 = 0.0f;
    float t1 = 0.0f;
};

}  // namespace SprSys
