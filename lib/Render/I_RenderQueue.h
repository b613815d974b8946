#pragma once

#include "MathStuff/Orientation.h"
#include "MathStuff/Vector3.h"

namespace MatSys {
class Material;
}
namespace ModelSys {
class Mesh;
}

namespace Render {

// Draws meshes with materials at placements. Despite the name nothing is kept: each add
// draws at once, on the thread that owns the OpenGL context.
class I_RenderQueue {
public:
    virtual ~I_RenderQueue() {}

    // add(placement, (0, 0, 0), mesh, material).
    virtual void add(const MathStuff::Orientation<float>& placement, const ModelSys::Mesh* mesh,
                     MatSys::Material* material) = 0;
    // Draws the mesh placed by placement and moved by offset in the mesh's own placed
    // and scaled frame. material may be null: the current program and textures are used.
    virtual void add(const MathStuff::Orientation<float>& placement,
                     const MathStuff::Vector3<float>& offset, const ModelSys::Mesh* mesh,
                     MatSys::Material* material) = 0;
};

}  // namespace Render
