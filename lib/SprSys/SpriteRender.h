#pragma once

namespace Render {
class I_VertexArray;
}

namespace SprSys {

struct Sprite;
class SpriteRotation;
class SpriteSheet;

// Turns sprites into vertex data: per frame one quad of four vertices of nine floats
// (x, y, z, s, t, r, g, b, a), 144 bytes.
namespace SpriteRender {

constexpr int kFloatsPerVertex = 9;
constexpr int kVerticesPerQuad = 4;
constexpr int kBytesPerQuad = kFloatsPerVertex * kVerticesPerQuad * static_cast<int>(sizeof(float));

// Writes one quad per frame of the sprite into the array, at consecutive byte positions
// from bytePos, and returns the bytes written (0 for a sprite without frames). With a
// rotation table the quad corners come from it (the table's quad size, scaled);
// without one the quad is the frame's own size and is not rotated. With depth set, the
// vertical corner offsets go to z instead of y. The caller makes sure the array has room.
int toVA(const Sprite& sprite, Render::I_VertexArray* array, int bytePos,
         const SpriteRotation* rotation, const SpriteSheet& sheet, bool depth);

}  // namespace SpriteRender

}  // namespace SprSys
