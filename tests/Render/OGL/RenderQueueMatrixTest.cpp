#include <gtest/gtest.h>

#include "Render/OGL/RenderQueue.h"

namespace {

using MathStuff::Matrix4x4;
using MathStuff::Orientation;
using MathStuff::Vector3;
using Render::OGL::RenderQueue;

Vector3<float> apply(const Matrix4x4<float>& m, const Vector3<float>& p) {
    return Vector3<float>(m.at(0, 0) * p.x + m.at(0, 1) * p.y + m.at(0, 2) * p.z + m.at(0, 3),
                          m.at(1, 0) * p.x + m.at(1, 1) * p.y + m.at(1, 2) * p.z + m.at(1, 3),
                          m.at(2, 0) * p.x + m.at(2, 1) * p.y + m.at(2, 2) * p.z + m.at(2, 3));
}

Orientation<float> placement(Vector3<float> pos, Vector3<float> dir, Vector3<float> up,
                             Vector3<float> scale) {
    Orientation<float> o;
    o.pos = pos;
    o.dir = dir;
    o.up = up;
    o.scale = scale;
    return o;
}

TEST(RenderQueueMatrix, ColumnsAreSideUpAndDirScaledThenPosition) {
    Orientation<float> o = placement({1, 2, 3}, {0, 0, 1}, {0, 1, 0}, {2, 3, 4});
    Matrix4x4<float> m = RenderQueue::modelMatrix(o);
    const float expected[16] = {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 1, 2, 3, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(m.m[i], expected[i]) << i;
}

TEST(RenderQueueMatrix, OffsetIsAppliedInThePlacedAndScaledFrame) {
    Orientation<float> o = placement({1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {2, 2, 2});
    Matrix4x4<float> model = RenderQueue::modelMatrix(o);
    Vector3<float> origin = apply(model, apply(RenderQueue::translation({0, 0, 1}), {0, 0, 0}));
    EXPECT_EQ(origin, Vector3<float>(1, 0, 2));

    // Facing along x, the offset's z runs along x: (1, 0, 0) + 2 * (1, 0, 0).
    Orientation<float> turned = placement({1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 2, 2});
    Vector3<float> moved =
        apply(RenderQueue::modelMatrix(turned), apply(RenderQueue::translation({0, 0, 1}), {}));
    EXPECT_EQ(moved, Vector3<float>(3, 0, 0));
    // Its side axis is up x dir = (0, 0, -1).
    EXPECT_EQ(apply(RenderQueue::modelMatrix(turned), {1, 0, 0}), Vector3<float>(1, 0, -2));
}

TEST(RenderQueueMatrix, VectorsAreUsedUnnormalised) {
    Orientation<float> o = placement({0, 0, 0}, {0, 0, 3}, {0, 2, 0}, {1, 1, 1});
    Matrix4x4<float> m = RenderQueue::modelMatrix(o);
    EXPECT_FLOAT_EQ(m.at(0, 0), 6.0f);  // (0,2,0) x (0,0,3) = (6,0,0)
    EXPECT_FLOAT_EQ(m.at(1, 1), 2.0f);
    EXPECT_FLOAT_EQ(m.at(2, 2), 3.0f);
}

}  // namespace
