#pragma once

namespace Render {

// Interleaved per-vertex data handed to OpenGL: position, texture coordinates,
// colour and up to four extra attributes. Components are defined once, in the
// order in which they sit inside each vertex, before data is written and before
// the array is used. Byte positions and counts are not checked against the size:
// staying inside the buffer is the caller's duty.
class I_VertexArray {
public:
    // Component types. Any other value is fatal when a component is defined.
    enum DataType : int { DT_FLOAT = 1, DT_UBYTE = 2, DT_SHORT = 3 };

    virtual ~I_VertexArray() {}

    // The size in bytes; 0 for a buffer object that could not be made.
    virtual int getBufferSize() const = 0;

    // Position, texture coordinates and colour: component count and type.
    virtual void defineVertexInfo(int count, DataType type) = 0;
    virtual void defineTextureInfo(int count, DataType type) = 0;
    virtual void defineColorInfo(int count, DataType type) = 0;
    // Extra attribute 0 (the secondary colour of fixed-function drawing).
    virtual void defineAttrInfo(int count, DataType type) = 0;
    // Extra attribute 0..3.
    virtual void defineAttrInfo(int index, int count, DataType type) = 0;
    // Also feed the position component to the texture coordinate array.
    virtual void setUseVertexInfoAsTextureInfo(bool use) = 0;

    // Packed xyz float triples, count triples at a byte position; the layout
    // plays no part.
    virtual void getVertices(float* dest, int count, int bytePos) const = 0;
    virtual void putVertices(const float* src, int count, int bytePos) = 0;
    // Raw bytes at a byte position. For a buffer object they work on the buffer
    // bound to its target, so call them between beginUsing and endUsing.
    virtual void getData(void* dest, int byteCount, int bytePos) const = 0;
    virtual void putData(const void* src, int byteCount, int bytePos) = 0;

    // Bind the buffer and enable its arrays for drawing / disable and unbind.
    virtual void beginUsing() const = 0;
    virtual void endUsing() const = 0;
};

}  // namespace Render
