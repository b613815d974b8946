#pragma once

namespace Render {
class I_VertexArray;
}

namespace ModelSys {

// Something the render queue can draw: a run of triangles in a vertex array.
class Mesh {
public:
    virtual ~Mesh() {}
    // The vertex array holding the triangles; not null.
    virtual Render::I_VertexArray* getVertexArray() const = 0;
    // The first vertex to draw and how many (a multiple of three).
    virtual int getFirstVertex() const = 0;
    virtual int getNumVertices() const = 0;
};

}  // namespace ModelSys
