#include "Render/OGL/ControllerFixture.h"

#include <cstring>
#include <memory>
#include <vector>

#include "CFG/Global.h"
#include "Game/Abilities.h"
#include "Render/OGL/AttributeArray.h"
#include "Render/OGL/VertexBufferObject.h"

using Render::I_VertexArray;
using RenderTest::ControllerTest;

namespace {

using Pixel = std::vector<unsigned char>;
const Pixel kWhite{255, 255, 255, 255};
const Pixel kBlack{0, 0, 0, 0};
const Util::RGBA kClearBlack{0, 0, 0, 0};
const Util::RGBA kOpaqueWhite{255, 255, 255, 255};

// The corners of an axis-aligned rectangle, counter-clockwise, as xyz triples.
std::vector<float> rectangle(float x0, float y0, float x1, float y1) {
    return {x0, y0, 0, x1, y0, 0, x1, y1, 0, x0, y1, 0};
}

class DrawTest : public ControllerTest {
protected:
    Pixel screenPixel(int x, int y) {
        Pixel pixel(4);
        controller->copyScreen(pixel.data(), x, y, 1, 1);
        return pixel;
    }

    // A position-only array holding the rectangle (100,100)-(200,150).
    std::unique_ptr<I_VertexArray> whiteQuadArray() {
        std::vector<float> corners = rectangle(100, 100, 200, 150);
        int bytes = static_cast<int>(corners.size() * sizeof(float));
        std::unique_ptr<I_VertexArray> array(controller->createVertexArray(bytes, true));
        if (array) {
            array->defineVertexInfo(3, I_VertexArray::DT_FLOAT);
            array->beginUsing();
            array->putVertices(corners.data(), 4, 0);
            array->endUsing();
        }
        return array;
    }

    void drawQuad(const I_VertexArray& array) {
        controller->doClear(kClearBlack);
        controller->setColor(kOpaqueWhite);
        array.beginUsing();
        controller->drawArrays(Render::RT_QUADS, 0, 4);
        array.endUsing();
    }

    void expectWhiteQuadPixels() {
        EXPECT_EQ(screenPixel(100, 100), kWhite);
        EXPECT_EQ(screenPixel(199, 149), kWhite);
        EXPECT_EQ(screenPixel(150, 125), kWhite);
        EXPECT_EQ(screenPixel(99, 125), kBlack);
        EXPECT_EQ(screenPixel(200, 125), kBlack);
        EXPECT_EQ(screenPixel(150, 150), kBlack);
    }
};

}  // namespace

TEST_F(DrawTest, WhiteQuadThroughABufferObjectLandsOnItsPixels) {
    std::unique_ptr<I_VertexArray> array = whiteQuadArray();
    ASSERT_TRUE(array);
    EXPECT_NE(dynamic_cast<Render::OGL::VertexBufferObject*>(array.get()), nullptr);
    drawQuad(*array);
    expectWhiteQuadPixels();
}

TEST_F(DrawTest, VBOsOverriddenOffGiveClientArraysThatDrawTheSame) {
    controller->setAbility(Render::ABILITY_HAVE_VBOS, 0);
    std::unique_ptr<I_VertexArray> array = whiteQuadArray();
    ASSERT_TRUE(array);
    EXPECT_EQ(dynamic_cast<Render::OGL::VertexBufferObject*>(array.get()), nullptr);
    EXPECT_NE(dynamic_cast<Render::OGL::VertexArray*>(array.get()), nullptr);
    drawQuad(*array);
    expectWhiteQuadPixels();
}

TEST_F(DrawTest, VBOsConfiguredOffGiveClientArraysAndDetectedAbilitiesArePublished) {
    CFG::global()->add("INFO_HAVE_VBOS", "0");
    Game::publishAbilities(*controller);
    std::unique_ptr<I_VertexArray> array = whiteQuadArray();
    ASSERT_TRUE(array);
    EXPECT_EQ(dynamic_cast<Render::OGL::VertexBufferObject*>(array.get()), nullptr);
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_HAVE_SHADERS"), "1");
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_HAVE_VBOS"), "");
}

TEST_F(DrawTest, NothingIsDrawnForAZeroCountOrAnUnknownKind) {
    std::unique_ptr<I_VertexArray> array = whiteQuadArray();
    ASSERT_TRUE(array);
    controller->doClear(kClearBlack);
    array->beginUsing();
    controller->drawArrays(Render::RT_QUADS, 0, 0);
    controller->drawArrays(static_cast<Render::RenderType>(6), 0, 4);
    unsigned indices[4] = {0, 1, 2, 3};
    controller->drawElements(static_cast<Render::RenderType>(-1), 4, indices);
    array->endUsing();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(screenPixel(150, 125), kBlack);
}

TEST_F(DrawTest, DrawElementsFollowsTheIndices) {
    std::unique_ptr<I_VertexArray> array = whiteQuadArray();
    ASSERT_TRUE(array);
    controller->doClear(kClearBlack);
    controller->setColor(kOpaqueWhite);
    // Only the lower right triangle: corners 0, 1, 2.
    unsigned indices[3] = {0, 1, 2};
    array->beginUsing();
    controller->drawElements(Render::RT_TRIANGLES, 3, indices);
    array->endUsing();
    EXPECT_EQ(screenPixel(190, 110), kWhite);
    EXPECT_EQ(screenPixel(110, 140), kBlack);
}

TEST_F(DrawTest, TexturedQuadArrayHoldsTheQuadWithA20ByteStride) {
    Render::TexturedQuad quad{};
    for (int corner = 0; corner < 4; ++corner) {
        quad.vertices[corner] = {float(corner), 1.0f, 2.0f, 0.25f * corner, 0.5f};
    }
    std::unique_ptr<I_VertexArray> array(controller->createTexturedQuadVA(quad, true));
    ASSERT_TRUE(array);
    EXPECT_EQ(array->getBufferSize(), 80);
    auto* vbo = dynamic_cast<Render::OGL::VertexBufferObject*>(array.get());
    ASSERT_NE(vbo, nullptr);
    EXPECT_EQ(vbo->getStride(), 20);
    EXPECT_EQ(vbo->getDescriptor(1).start, 12u);
    EXPECT_EQ(vbo->getDescriptor(1).count, 2);

    Render::TexturedQuad back{};
    array->beginUsing();
    array->getData(&back, 80, 0);
    array->endUsing();
    EXPECT_EQ(std::memcmp(&back, &quad, sizeof(quad)), 0);

    Render::TexturedQuadZTx deep{};
    std::unique_ptr<I_VertexArray> deepArray(controller->createTexturedQuadVA(deep, false));
    ASSERT_TRUE(deepArray);
    EXPECT_EQ(deepArray->getBufferSize(), 96);
    EXPECT_EQ(dynamic_cast<Render::OGL::VertexArray&>(*deepArray).getStride(), 24);
}

TEST_F(DrawTest, FactoryLayoutsMatchTheirVertexSizes) {
    std::unique_ptr<I_VertexArray> vtc(controller->createVTCArray(360, false));
    ASSERT_TRUE(vtc);
    auto& vtcArray = dynamic_cast<Render::OGL::VertexArray&>(*vtc);
    EXPECT_EQ(vtcArray.getStride(), 36);
    EXPECT_EQ(vtcArray.getDescriptor(2).start, 20u);

    std::unique_ptr<I_VertexArray> sprite(controller->createSpriteShaderArray(640, false));
    ASSERT_TRUE(sprite);
    auto& wrapped = dynamic_cast<Render::OGL::AttributeArray&>(*sprite).getWrapped();
    EXPECT_EQ(wrapped.getStride(), 64);
    EXPECT_EQ(wrapped.getDescriptor(3).start, 36u);
    EXPECT_EQ(wrapped.getDescriptor(4).start, 48u);
    EXPECT_EQ(wrapped.getDescriptor(5).start, 60u);
    EXPECT_EQ(wrapped.getDescriptor(5).count, 1);
}

TEST_F(DrawTest, AttributeArrayEnablesOnlyTheGenericAttributesItDefines) {
    std::unique_ptr<I_VertexArray> array(controller->createAttrArray(360, false));
    ASSERT_TRUE(array);
    array->defineVertexInfo(3, I_VertexArray::DT_FLOAT);
    array->defineTextureInfo(2, I_VertexArray::DT_FLOAT);
    array->defineColorInfo(4, I_VertexArray::DT_UBYTE);

    array->beginUsing();
    std::vector<int> enabled;
    for (GLuint i = 0; i < 7; ++i) {
        GLint on = 0;
        glGetVertexAttribiv(i, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &on);
        enabled.push_back(on);
    }
    GLint normalised = 1;
    glGetVertexAttribiv(2, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalised);
    GLint stride = 0;
    glGetVertexAttribiv(2, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    array->endUsing();

    EXPECT_EQ(enabled, (std::vector<int>{1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(normalised, 0);
    EXPECT_EQ(stride, 24);
    GLint stillOn = 1;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &stillOn);
    EXPECT_EQ(stillOn, 0);
}

TEST_F(DrawTest, PositionDoublesAsTextureCoordinatesWhenAsked) {
    Render::OGL::VertexArray array(48);
    array.defineVertexInfo(3, I_VertexArray::DT_FLOAT);
    array.setUseVertexInfoAsTextureInfo(true);

    array.beginUsing();
    GLint size = 0;
    void* pointer = nullptr;
    glGetIntegerv(GL_TEXTURE_COORD_ARRAY_SIZE, &size);
    glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &pointer);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(size, 3);
    EXPECT_EQ(pointer, static_cast<const void*>(array.clientData()));
    array.endUsing();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
}

TEST_F(DrawTest, FixedFunctionArrayFeedsTheSecondaryColourFromAttributeZero) {
    Render::OGL::VertexArray array(64);
    array.defineVertexInfo(2, I_VertexArray::DT_FLOAT);
    array.defineAttrInfo(3, I_VertexArray::DT_UBYTE);
    array.beginUsing();
    EXPECT_TRUE(glIsEnabled(GL_SECONDARY_COLOR_ARRAY));
    GLint size = 0;
    glGetIntegerv(GL_SECONDARY_COLOR_ARRAY_SIZE, &size);
    EXPECT_EQ(size, 3);
    array.endUsing();
    EXPECT_FALSE(glIsEnabled(GL_SECONDARY_COLOR_ARRAY));
}

TEST_F(DrawTest, BufferObjectOfSizeZeroMakesNoBufferAndReportsZero) {
    GLuint before = 0;
    glGenBuffers(1, &before);
    Render::OGL::VertexBufferObject empty(0, GL_STATIC_DRAW);
    EXPECT_EQ(empty.getBufferSize(), 0);
    EXPECT_EQ(empty.getBufferName(), 0u);
    Render::OGL::VertexBufferObject negative(-8, GL_STATIC_DRAW);
    EXPECT_EQ(negative.getBufferSize(), 0);
    GLuint after = 0;
    glGenBuffers(1, &after);
    EXPECT_EQ(after, before + 1);  // no name was taken in between
    glDeleteBuffers(1, &before);
    glDeleteBuffers(1, &after);
}

TEST_F(DrawTest, ShowScreenWritesPixelsAtAWindowPositionOutsideTheViewport) {
    controller->doClear(kClearBlack);
    Render::ViewData corner;
    corner.x = 0;
    corner.y = 0;
    corner.width = 50;
    corner.height = 50;
    controller->setViewData(corner);

    std::vector<unsigned char> block(4 * 3 * 2);
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<unsigned char>(10 * i + 5);
    }
    controller->showScreen(block.data(), 300, 200, 3, 2);

    std::vector<unsigned char> back(block.size());
    controller->copyScreen(back.data(), 300, 200, 3, 2);
    EXPECT_EQ(back, block);
    EXPECT_EQ(screenPixel(299, 200), kBlack);
    GLint vp[4] = {};
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(std::vector<int>(vp, vp + 4), (std::vector<int>{0, 0, 50, 50}));
}

TEST_F(DrawTest, CopyScreenLeavesNoErrorPending) {
    unsigned char pixel[4] = {};
    controller->copyScreen(pixel, 0, 0, -1, 1);  // a failing read
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(DrawTest, PixelBufferReceivesPixelReads) {
    controller->doClear(Util::RGBA{10, 20, 30, 40});
    std::unique_ptr<Render::I_PixelBuffer> buffer(
        controller->createPixelBuffer(16, Render::BDT_DYNAMIC_READ));
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->getBufferSize(), 16);

    buffer->beginUsing(true);
    glReadPixels(0, 0, 2, 2, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    std::vector<unsigned char> bytes(16);
    buffer->getData(bytes.data(), 16, 0);
    buffer->endUsing();

    EXPECT_EQ(bytes, (std::vector<unsigned char>{10, 20, 30, 40, 10, 20, 30, 40, 10, 20, 30, 40, 10,
                                                 20, 30, 40}));
    GLint bound = -1;
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &bound);
    EXPECT_EQ(bound, 0);
}

TEST_F(DrawTest, PixelBufferUsageFollowsTheBufferDataType) {
    const std::vector<std::pair<int, GLint>> table = {{Render::BDT_STATIC_DRAW, GL_STATIC_DRAW},
                                                      {Render::BDT_DYNAMIC_DRAW, GL_DYNAMIC_DRAW},
                                                      {Render::BDT_DYNAMIC_READ, GL_DYNAMIC_READ},
                                                      {Render::BDT_DYNAMIC_COPY, GL_DYNAMIC_COPY},
                                                      {4, GL_DYNAMIC_READ},
                                                      {-1, GL_DYNAMIC_READ}};
    for (const auto& entry : table) {
        std::unique_ptr<Render::I_PixelBuffer> buffer(
            controller->createPixelBuffer(64, static_cast<Render::BufferDataType>(entry.first)));
        ASSERT_TRUE(buffer) << entry.first;
        buffer->beginUsing(true);
        GLint usage = 0;
        glGetBufferParameteriv(GL_PIXEL_PACK_BUFFER, GL_BUFFER_USAGE, &usage);
        buffer->endUsing();
        EXPECT_EQ(usage, entry.second) << entry.first;
    }
}

TEST_F(DrawTest, PixelBufferFeedsPixelDrawsThroughTheUnpackTarget) {
    std::unique_ptr<Render::I_PixelBuffer> buffer(
        controller->createPixelBuffer(4, static_cast<Render::BufferDataType>(9)));
    ASSERT_TRUE(buffer);
    const unsigned char red[4] = {255, 0, 0, 255};
    buffer->beginUsing(false);
    buffer->putData(red, 4, 0);
    GLint bound = 0;
    glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &bound);
    EXPECT_NE(bound, 0);
    controller->doClear(kClearBlack);
    glWindowPos2i(7, 8);
    glDrawPixels(1, 1, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    buffer->endUsing();
    EXPECT_EQ(screenPixel(7, 8), (Pixel{255, 0, 0, 255}));
}
