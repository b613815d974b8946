#include "SprSys/SpriteRotation.h"

#include <cmath>

namespace SprSys {

namespace {

constexpr int kDegrees = 360;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

SpriteRotation::SpriteRotation(float width, float height) : boxes(kDegrees) {
    const float hw = width / 2.0f;
    const float hh = height / 2.0f;
    // Left-top, left-bottom, right-bottom, right-top of the unrotated quad.
    const float cornerX[4] = {-hw, -hw, hw, hw};
    const float cornerY[4] = {hh, -hh, -hh, hh};
    for (int angle = 0; angle < kDegrees; ++angle) {
        const double radians = angle * kPi / 180.0;
        const double c = std::cos(radians);
        const double s = std::sin(radians);
        RotationBox& box = boxes[angle];
        for (int k = 0; k < 4; ++k) {
            box.x[k] = static_cast<float>(cornerX[k] * c - cornerY[k] * s);
            box.y[k] = static_cast<float>(cornerX[k] * s + cornerY[k] * c);
        }
    }
}

SpriteRotation::~SpriteRotation() = default;

const RotationBox& SpriteRotation::getRotationBox(int angle) const {
    int entry = angle % kDegrees;
    if (entry < 0) {
        entry += kDegrees;
    }
    return boxes[entry];
}

}  // namespace SprSys
