#pragma once

// A stand-in vertex array, so sprite and font code can be checked without an OpenGL
// context.

#include <algorithm>
#include <cstring>
#include <vector>

#include "Render/I_VertexArray.h"

namespace TestSupport {

// A client-memory vertex array of a fixed size that records what is written; writes
// outside its bytes are counted, not performed.
class RecordingVertexArray : public Render::I_VertexArray {
public:
    explicit RecordingVertexArray(int size) : bytes(static_cast<size_t>(size), 0) {}

    int getBufferSize() const override { return static_cast<int>(bytes.size()); }
    void defineVertexInfo(int, DataType) override {}
    void defineTextureInfo(int, DataType) override {}
    void defineColorInfo(int, DataType) override {}
    void defineAttrInfo(int, DataType) override {}
    void defineAttrInfo(int, int, DataType) override {}
    void setUseVertexInfoAsTextureInfo(bool) override {}
    void getVertices(float* dest, int count, int bytePos) const override {
        getData(dest, count * 12, bytePos);
    }
    void putVertices(const float* src, int count, int bytePos) override {
        putData(src, count * 12, bytePos);
    }
    void getData(void* dest, int byteCount, int bytePos) const override {
        std::memcpy(dest, bytes.data() + bytePos, static_cast<size_t>(byteCount));
    }
    void putData(const void* src, int byteCount, int bytePos) override {
        if (bytePos < 0 || bytePos + byteCount > getBufferSize()) {
            ++overruns;
            return;
        }
        std::memcpy(bytes.data() + bytePos, src, static_cast<size_t>(byteCount));
        highWater = std::max(highWater, bytePos + byteCount);
    }
    void beginUsing() const override { ++uses; }
    void endUsing() const override { ++releases; }

    // Float number `index` of vertex `vertex` (nine floats per vertex).
    float at(int vertex, int index) const {
        float value = 0.0f;
        std::memcpy(&value, bytes.data() + (vertex * 9 + index) * sizeof(float), sizeof value);
        return value;
    }

    std::vector<unsigned char> bytes;
    int overruns = 0;
    int highWater = 0;
    mutable int uses = 0;
    mutable int releases = 0;
};

}  // namespace TestSupport
