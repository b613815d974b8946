#include "Render/OGL/RenderQueue.h"

#include "Render/OGL/GL.h"

#include "MatSys/Material.h"
#include "ModelSys/Mesh.h"
#include "Render/I_VertexArray.h"

namespace Render {
namespace OGL {

namespace {

void setColumn(MathStuff::Matrix4x4<float>& matrix, int column, const MathStuff::Vector3<float>& v,
               float w) {
    matrix.at(0, column) = v.x;
    matrix.at(1, column) = v.y;
    matrix.at(2, column) = v.z;
    matrix.at(3, column) = w;
}

}  // namespace

MathStuff::Matrix4x4<float> RenderQueue::modelMatrix(
    const MathStuff::Orientation<float>& placement) {
    MathStuff::Matrix4x4<float> matrix;
    setColumn(matrix, 0, placement.up.cross(placement.dir) * placement.scale.x, 0.0f);
    setColumn(matrix, 1, placement.up * placement.scale.y, 0.0f);
    setColumn(matrix, 2, placement.dir * placement.scale.z, 0.0f);
    setColumn(matrix, 3, placement.pos, 1.0f);
    return matrix;
}

MathStuff::Matrix4x4<float> RenderQueue::translation(const MathStuff::Vector3<float>& offset) {
    MathStuff::Matrix4x4<float> matrix;
    setColumn(matrix, 3, offset, 1.0f);
    return matrix;
}

void RenderQueue::add(const MathStuff::Orientation<float>& placement, const ModelSys::Mesh* mesh,
                      MatSys::Material* material) {
    add(placement, MathStuff::Vector3<float>(), mesh, material);
}

void RenderQueue::add(const MathStuff::Orientation<float>& placement,
                      const MathStuff::Vector3<float>& offset, const ModelSys::Mesh* mesh,
                      MatSys::Material* material) {
    if (material) {
        material->beginUsing();
    }
    glPushMatrix();
    glMultMatrixf(modelMatrix(placement).data());
    glMultMatrixf(translation(offset).data());
    const Render::I_VertexArray* vertices = mesh->getVertexArray();
    vertices->beginUsing();
    glDrawArrays(GL_TRIANGLES, mesh->getFirstVertex(), mesh->getNumVertices());
    vertices->endUsing();
    glPopMatrix();
    if (material) {
        material->endUsing();
    }
}

}  // namespace OGL
}  // namespace Render
