#include "ModelSys/TriangleMesh.h"

#include "Render/I_CreateVertexArray.h"
#include "Render/I_VertexArray.h"

namespace ModelSys {

namespace {

constexpr int kCornersPerTriangle = 3;
constexpr int kFloatsPerCorner = 3;
constexpr bool kStaticData = true;

}  // namespace

TriangleMesh::TriangleMesh(Render::I_VertexArray* array, int first, int count)
    : vertices(array), firstVertex(first), numVertices(count) {}

TriangleMesh::~TriangleMesh() = default;

TriangleMesh* TriangleMesh::fromCorners(Render::I_CreateVertexArray& maker,
                                        const std::vector<MathStuff::Vector3<float> >& corners) {
    int count = int(corners.size());
    if (count == 0 || count % kCornersPerTriangle != 0) {
        return nullptr;
    }
    std::unique_ptr<Render::I_VertexArray> array(
        maker.createVertexArray(count * kFloatsPerCorner * int(sizeof(float)), kStaticData));
    if (!array || array->getBufferSize() == 0) {
        return nullptr;
    }
    array->defineVertexInfo(kFloatsPerCorner, Render::I_VertexArray::DT_FLOAT);
    std::vector<float> packed;
    for (const auto& corner : corners) {
        packed.insert(packed.end(), {corner.x, corner.y, corner.z});
    }
    // A buffer object takes its data while bound.
    array->beginUsing();
    array->putVertices(packed.data(), count, 0);
    array->endUsing();
    return new TriangleMesh(array.release(), 0, count);
}

}  // namespace ModelSys
