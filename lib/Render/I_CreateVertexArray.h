#pragma once

#include "Render/I_VertexArray.h"
#include "Render/TexturedQuad.h"

namespace Render {

// Makers of vertex arrays. Sizes are in bytes; isStatic selects the usage of a
// buffer object (data written once) over a dynamic one. Every result is owned
// by the caller, who deletes it while the OpenGL context still exists; null
// when the array cannot be made with the size asked for.
class I_CreateVertexArray {
public:
    virtual ~I_CreateVertexArray() {}

    // Position (3 floats), texture coordinates (2 floats), colour (4 floats).
    virtual I_VertexArray* createVTCArray(int size, bool isStatic) = 0;
    // A buffer object where supported, else client memory; no layout yet.
    virtual I_VertexArray* createVertexArray(int size, bool isStatic) = 0;
    // The quad uploaded, with position and 2D (or 3D) texture coordinates.
    virtual I_VertexArray* createTexturedQuadVA(const TexturedQuad& quad, bool isStatic) = 0;
    virtual I_VertexArray* createTexturedQuadVA(const TexturedQuadZTx& quad, bool isStatic) = 0;
    // Like createVertexArray, bound as generic attributes for shader programs.
    virtual I_VertexArray* createAttrArray(int size, bool isStatic) = 0;
    // An attribute array of position, texture coordinates, colour and the
    // attributes 0 (3 floats), 1 (3 floats) and 2 (1 float): 64 bytes a vertex.
    virtual I_VertexArray* createSpriteShaderArray(int size, bool isStatic) = 0;
};

}  // namespace Render
