#pragma once

namespace Render {

// One corner of a textured quad: position, then 2D texture coordinates.
struct TexturedVertex {
    float x, y, z;
    float u, v;
};

// Four corners, 80 bytes with no padding, uploaded byte for byte into a vertex
// array by createTexturedQuadVA.
struct TexturedQuad {
    TexturedVertex vertices[4];
};

// One corner with 3D texture coordinates.
struct TexturedVertexZTx {
    float x, y, z;
    float u, v, w;
};

// Four corners for 3D textures, 96 bytes with no padding.
struct TexturedQuadZTx {
    TexturedVertexZTx vertices[4];
};

static_assert(sizeof(TexturedQuad) == 80, "a textured quad is uploaded byte for byte");
static_assert(sizeof(TexturedQuadZTx) == 96, "a textured quad is uploaded byte for byte");

}  // namespace Render
