#pragma once

namespace SprSys {

// A position with a rotation in whole degrees.
struct Spatial2D {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int rotation = 0;
};

}  // namespace SprSys
