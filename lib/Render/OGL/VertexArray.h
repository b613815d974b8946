#pragma once

#include <cstdint>
#include <memory>

#include "Render/I_VertexArray.h"

namespace Render {
namespace OGL {

// A vertex array in client memory, drawn through the fixed-function client-state
// arrays (vertex, texture coordinate, colour and secondary colour). Also the base
// of VertexBufferObject, which keeps the same layout in an OpenGL buffer.
//
// Seven component descriptors: 0 position, 1 texture coordinates, 2 colour,
// 3..6 the extra attributes 0..3. Components are interleaved in the order in
// which they are defined; the stride is the sum of count x type size over the
// defined descriptors.
class VertexArray : public Render::I_VertexArray {
public:
    static constexpr int kDescriptors = 7;
    static constexpr int kFirstAttrDescriptor = 3;

    // One component: count (0 = not defined), OpenGL type and the byte position
    // of the component inside each vertex.
    struct Descriptor {
        int count = 0;
        unsigned glType = 0;
        std::uintptr_t start = 0;
    };

    // A client-memory array with a block of size bytes (none for size 0).
    explicit VertexArray(int size);
    ~VertexArray() override;

    int getBufferSize() const override;
    void defineVertexInfo(int count, DataType type) override;
    void defineTextureInfo(int count, DataType type) override;
    void defineColorInfo(int count, DataType type) override;
    void defineAttrInfo(int count, DataType type) override;
    void defineAttrInfo(int index, int count, DataType type) override;
    void setUseVertexInfoAsTextureInfo(bool use) override;
    void getVertices(float* dest, int count, int bytePos) const override;
    void putVertices(const float* src, int count, int bytePos) override;
    void getData(void* dest, int byteCount, int bytePos) const override;
    void putData(const void* src, int byteCount, int bytePos) override;
    void beginUsing() const override;
    void endUsing() const override;

    // The layout and buffer, for the generic-attribute binding of AttributeArray.
    unsigned getTarget() const { return target; }
    unsigned getBufferName() const { return bufferName; }
    int getStride() const { return stride; }
    const Descriptor& getDescriptor(int index) const { return descriptors[index]; }
    // Where OpenGL finds the first vertex's component: a client pointer, or the
    // byte position cast to a pointer when the data is in a buffer object.
    const void* componentPointer(int index) const;
    // The current vertex data: the client block, or null for a buffer object.
    const unsigned char* clientData() const { return data.get(); }

protected:
    // For buffer objects: the same layout with no client block.
    struct NoClientBlock {};
    VertexArray(int size, NoClientBlock);

    unsigned target;                        // GL_ARRAY_BUFFER
    unsigned bufferName = 0;                // OpenGL buffer name, 0 in client memory
    int size;                               // in bytes, as requested
    std::unique_ptr<unsigned char[]> data;  // the client block, owned

private:
    void setDataInfo(int descriptor, int count, DataType type);
    void updateStride();

    int stride = 0;
    Descriptor descriptors[kDescriptors];
    bool useVertexInfoAsTextureInfo = false;
};

}  // namespace OGL
}  // namespace Render
