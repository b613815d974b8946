#pragma once

namespace SprSys {

// The four corners of a quad, each an (x, y) pair: left-top, left-bottom,
// right-bottom, right-top of the unrotated quad.
struct RotationBox {
    float x[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float y[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

}  // namespace SprSys
