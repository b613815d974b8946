#include "SprSys/SpriteRender.h"

#include <cmath>
#include <cstdint>

#include "Render/I_VertexArray.h"
#include "SprSys/AnimFrame.h"
#include "SprSys/Sprite.h"
#include "SprSys/SpriteRotation.h"
#include "SprSys/SpriteSheet.h"

namespace SprSys::SpriteRender {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kByteToUnit = 1.0f / 255.0f;
constexpr int64_t kDegrees = 360;

// Corner k of the quad relative to its centre, before the depth rule.
struct Corners {
    float dx[kVerticesPerQuad];
    float dy[kVerticesPerQuad];
};

Corners quadCorners(const AnimFrame& frame, const SpriteRotation* rotation,
                    const SpriteSheet& sheet, int angle, float sx, float sy) {
    Corners corners{};
    if (rotation) {
        const RotationBox& box = rotation->getRotationBox(angle);
        for (int k = 0; k < kVerticesPerQuad; ++k) {
            corners.dx[k] = sx * box.x[k];
            corners.dy[k] = sy * box.y[k];
        }
        return corners;
    }
    // Without a table the quad has the frame's own size and is not rotated.
    const float hw = sheet.getFrameWidth(frame.frame) * 0.5f * sx;
    const float hh = sheet.getFrameHeight(frame.frame) * 0.5f * sy;
    const float dx[kVerticesPerQuad] = {-hw, -hw, hw, hw};
    const float dy[kVerticesPerQuad] = {hh, -hh, -hh, hh};
    for (int k = 0; k < kVerticesPerQuad; ++k) {
        corners.dx[k] = dx[k];
        corners.dy[k] = dy[k];
    }
    return corners;
}

}  // namespace

int toVA(const Sprite& sprite, Render::I_VertexArray* array, int bytePos,
         const SpriteRotation* rotation, const SpriteSheet& sheet, bool depth) {
    if (!sprite.frames || !array) {
        return 0;
    }
    const float px = std::round(sprite.x);
    const float py = std::round(sprite.y);
    const float pz = std::round(sprite.z);
    const float color[4] = {sprite.color.r * kByteToUnit, sprite.color.g * kByteToUnit,
                            sprite.color.b * kByteToUnit, sprite.color.a * kByteToUnit};

    int written = 0;
    for (const AnimFrame* frame : *sprite.frames) {
        if (!frame) {
            continue;
        }
        const float sx = sprite.scaleX * frame->scaleX;
        const float sy = sprite.scaleY * frame->scaleY;
        // The sum of the two rotations is taken in 64 bits (a sprite turned near the int
        // limit must not wrap); the table needs only its remainder of a full turn.
        const int64_t turn = int64_t(sprite.rotation) + frame->rotation;
        const int angle = static_cast<int>(turn % kDegrees);
        const double radians = double(turn) * kPi / 180.0;
        const float cosA = static_cast<float>(std::cos(radians));
        const float sinA = static_cast<float>(std::sin(radians));

        // The frame's centre: its shift, scaled and rotated with the sprite.
        const float cx = px + frame->shiftX * sx * cosA - frame->shiftY * sy * sinA;
        const float cy = py + frame->shiftX * sx * sinA + frame->shiftY * sy * cosA;

        const SpriteBox box = sheet.getSpriteBox(frame->frame, frame->orientation);
        const float s[kVerticesPerQuad] = {box.s0, box.s0, box.s1, box.s1};
        const float t[kVerticesPerQuad] = {box.t1, box.t0, box.t0, box.t1};
        const Corners corners = quadCorners(*frame, rotation, sheet, angle, sx, sy);

        float quad[kFloatsPerVertex * kVerticesPerQuad];
        for (int k = 0; k < kVerticesPerQuad; ++k) {
            float* vertex = quad + k * kFloatsPerVertex;
            vertex[0] = cx + corners.dx[k];
            vertex[1] = depth ? cy : cy + corners.dy[k];
            vertex[2] = depth ? pz + corners.dy[k] : pz;
            vertex[3] = s[k];
            vertex[4] = t[k];
            for (int c = 0; c < 4; ++c) {
                vertex[5 + c] = color[c];
            }
        }
        array->putData(quad, kBytesPerQuad, bytePos + written);
        written += kBytesPerQuad;
    }
    return written;
}

}  // namespace SprSys::SpriteRender
