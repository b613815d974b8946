#pragma once

#include "MathStuff/Vector3.h"

namespace MathStuff {

// A placement in space: position, forward direction, up direction and scale.
// Used as the camera of the render controller and as the placement of a model.
// Nothing normalises dir or up or keeps them orthogonal.
template <typename T>
struct Orientation {
    Vector3<T> pos;
    Vector3<T> dir;
    Vector3<T> up;
    Vector3<T> scale;
};

}  // namespace MathStuff
