#pragma once

#include <memory>
#include <vector>

#include "MathStuff/Vector3.h"
#include "ModelSys/Mesh.h"

namespace Render {
class I_CreateVertexArray;
}

namespace ModelSys {

// The plain mesh: triangles given by their corners, three per triangle, kept as
// positions (three floats a vertex) in a vertex array that the mesh owns.
class TriangleMesh : public Mesh {
public:
    // Takes the array; draws numVertices vertices from firstVertex.
    TriangleMesh(Render::I_VertexArray* vertices, int firstVertex, int numVertices);
    ~TriangleMesh() override;
    TriangleMesh(const TriangleMesh&) = delete;
    TriangleMesh& operator=(const TriangleMesh&) = delete;

    // A mesh of the corners in a vertex array made by maker; null when the maker cannot
    // make one or the corners do not form whole triangles.
    static TriangleMesh* fromCorners(Render::I_CreateVertexArray& maker,
                                     const std::vector<MathStuff::Vector3<float> >& corners);

    Render::I_VertexArray* getVertexArray() const override { return vertices.get(); }
    int getFirstVertex() const override { return firstVertex; }
    int getNumVertices() const override { return numVertices; }

private:
    std::unique_ptr<Render::I_VertexArray> vertices;
    int firstVertex;
    int numVertices;
};

}  // namespace ModelSys
