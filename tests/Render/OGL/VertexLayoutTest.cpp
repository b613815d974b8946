#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Render/OGL/VertexArray.h"

using Render::I_VertexArray;
using Render::OGL::VertexArray;

namespace {

constexpr int kPosition = 0;
constexpr int kTexture = 1;
constexpr int kColor = 2;
constexpr int kAttr0 = 3;

int startOf(const VertexArray& array, int descriptor) {
    return static_cast<int>(array.getDescriptor(descriptor).start);
}

}  // namespace

TEST(VertexLayout, InterleavesComponentsInDefinitionOrder) {
    VertexArray array(240);
    array.defineVertexInfo(3, I_VertexArray::DT_FLOAT);
    array.defineTextureInfo(2, I_VertexArray::DT_FLOAT);
    array.defineColorInfo(4, I_VertexArray::DT_UBYTE);

    EXPECT_EQ(array.getStride(), 24);
    EXPECT_EQ(startOf(array, kPosition), 0);
    EXPECT_EQ(startOf(array, kTexture), 12);
    EXPECT_EQ(startOf(array, kColor), 20);
    EXPECT_EQ(array.getDescriptor(kColor).count, 4);
    // Client pointers point into the array's own block.
    EXPECT_EQ(array.componentPointer(kColor), array.clientData() + 20);
}

TEST(VertexLayout, FirstDefinedComponentStartsAtZeroWhateverItIs) {
    VertexArray array(100);
    array.defineTextureInfo(2, I_VertexArray::DT_FLOAT);
    array.defineVertexInfo(3, I_VertexArray::DT_SHORT);

    EXPECT_EQ(startOf(array, kTexture), 0);
    EXPECT_EQ(startOf(array, kPosition), 8);
    EXPECT_EQ(array.getStride(), 14);
}

TEST(VertexLayout, BothAttributeFormsDefineTheSameDescriptor) {
    VertexArray first(64);
    first.defineAttrInfo(2, I_VertexArray::DT_FLOAT);
    VertexArray second(64);
    second.defineAttrInfo(0, 2, I_VertexArray::DT_FLOAT);

    EXPECT_EQ(first.getDescriptor(kAttr0).count, 2);
    EXPECT_EQ(second.getDescriptor(kAttr0).count, 2);
    EXPECT_EQ(first.getStride(), second.getStride());

    second.defineAttrInfo(3, 1, I_VertexArray::DT_FLOAT);
    EXPECT_EQ(second.getDescriptor(kAttr0 + 3).count, 1);
    EXPECT_EQ(startOf(second, kAttr0 + 3), 8);
}

TEST(VertexLayout, AttributeIndexOutsideTheTableIsIgnored) {
    VertexArray array(64);
    array.defineVertexInfo(3, I_VertexArray::DT_FLOAT);
    array.defineAttrInfo(4, 2, I_VertexArray::DT_FLOAT);
    array.defineAttrInfo(-4, 2, I_VertexArray::DT_FLOAT);
    EXPECT_EQ(array.getStride(), 12);
}

TEST(VertexLayoutDeathTest, UnknownDataTypeIsFatal) {
    VertexArray array(64);
    EXPECT_DEATH(array.defineColorInfo(4, static_cast<I_VertexArray::DataType>(0)),
                 "ABORT: Func:.*setDataInfo.* File:lib/Render/OGL/VertexArray.cpp Line: [0-9]+\n"
                 "ABORT: UNKNOWN VertexArrayDataType 0\n");
    EXPECT_DEATH(array.defineAttrInfo(1, 2, static_cast<I_VertexArray::DataType>(7)),
                 "ABORT: UNKNOWN VertexArrayDataType 7\n");
}

TEST(ClientVertexArray, PutVerticesWritesPackedTriplesAtTheBytePosition) {
    VertexArray array(72);
    array.defineTextureInfo(2, I_VertexArray::DT_FLOAT);  // the layout plays no part
    const float triples[6] = {1, 2, 3, 4, 5, 6};
    array.putVertices(triples, 2, 24);

    std::vector<unsigned char> bytes(72);
    array.getData(bytes.data(), 72, 0);
    std::vector<unsigned char> expected(72, 0);
    std::memcpy(expected.data() + 24, triples, sizeof(triples));
    EXPECT_EQ(bytes, expected);

    float back[6] = {};
    array.getVertices(back, 2, 24);
    EXPECT_EQ(std::vector<float>(back, back + 6), std::vector<float>(triples, triples + 6));
}

TEST(ClientVertexArray, SizeZeroHasNoBlockAndCopiesNothing) {
    VertexArray array(0);
    EXPECT_EQ(array.getBufferSize(), 0);
    EXPECT_EQ(array.clientData(), nullptr);
    float value = 7.0f;
    array.putData(&value, 0, 0);
    array.getData(&value, 0, 0);
    EXPECT_EQ(value, 7.0f);
}
