#pragma once

#include <cstdint>

namespace MatSys {

// Sizes and units a texture may have, chosen from what real drivers offer: 16384 texels
// is the largest side common hardware (and Mesa) accepts, and the pixel count matches the
// largest image the TGA reader loads (1 GiB at 32 bits per pixel). Units 0 to 31 are the
// ones OpenGL names (GL_TEXTURE0 to GL_TEXTURE31).
constexpr int kMaxTextureSide = 16384;
constexpr uint64_t kMaxTexturePixels = uint64_t(kMaxTextureSide) * kMaxTextureSide;
constexpr int kMaxTextureUnits = 32;

}  // namespace MatSys
