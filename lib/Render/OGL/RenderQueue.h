#pragma once

#include "MathStuff/Matrix4x4.h"
#include "Render/I_RenderQueue.h"

namespace Render {
namespace OGL {

// Draws each mesh at once with glDrawArrays (triangles) between the material's
// beginUsing and endUsing, the modelview matrix saved and restored around it. Nothing is
// checked: mesh and placement must be valid.
class RenderQueue : public Render::I_RenderQueue {
public:
    void add(const MathStuff::Orientation<float>& placement, const ModelSys::Mesh* mesh,
             MatSys::Material* material) override;
    void add(const MathStuff::Orientation<float>& placement,
             const MathStuff::Vector3<float>& offset, const ModelSys::Mesh* mesh,
             MatSys::Material* material) override;

    // The model matrix of a placement, column-major: columns (up x dir) * scale.x,
    // up * scale.y, dir * scale.z and (pos, 1). The vectors are used as they are, neither
    // normalised nor made orthogonal.
    static MathStuff::Matrix4x4<float> modelMatrix(const MathStuff::Orientation<float>& placement);
    // The identity moved by offset.
    static MathStuff::Matrix4x4<float> translation(const MathStuff::Vector3<float>& offset);
};

}  // namespace OGL
}  // namespace Render
