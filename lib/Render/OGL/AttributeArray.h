#pragma once

#include <memory>

#include "Render/I_VertexArray.h"

namespace Render {
namespace OGL {

class VertexArray;

// Binds the components of a vertex array (client memory or buffer object) as
// generic vertex attributes for shader programs: descriptor i feeds attribute
// location i (0 position, 1 texture coordinates, 2 colour, 3..6 the extra
// attributes). Values are not normalised, so unsigned-byte colours arrive as
// 0..255. Everything but beginUsing and endUsing goes to the wrapped array.
class AttributeArray : public Render::I_VertexArray {
public:
    // Takes ownership of the array.
    explicit AttributeArray(VertexArray* array);
    ~AttributeArray() override;

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

    const VertexArray& getWrapped() const { return *array; }

private:
    std::unique_ptr<VertexArray> array;  // owned
};

}  // namespace OGL
}  // namespace Render
