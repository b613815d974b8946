#include "Render/OGL/ControllerFixture.h"

#include <memory>
#include <vector>

#include "MatSys/I_Texture.h"
#include "Render/OGL/RenderBuffer.h"

using Render::I_RenderBuffer;
using Render::OGL::RenderBuffer;
using RenderTest::ControllerTest;

namespace {

using Pixel = std::vector<unsigned char>;

// A texture of the test's own making: an OpenGL texture of the given size,
// 3D when depth is above 1. Only what a render buffer asks for is real.
class TestTexture : public MatSys::I_Texture {
public:
    TestTexture(int width, int height, int depth) : width(width), height(height), depth(depth) {
        glGenTextures(1, &name);
        GLenum target = depth > 1 ? GL_TEXTURE_3D : GL_TEXTURE_2D;
        glBindTexture(target, name);
        glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        if (depth > 1) {
            glTexImage3D(target, 0, GL_RGBA, width, height, depth, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         nullptr);
        } else {
            glTexImage2D(target, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        }
        glBindTexture(target, 0);
    }
    ~TestTexture() override { glDeleteTextures(1, &name); }

    const unsigned& getID() const override { return name; }
    void getSize(int& w, int& h, int& d) const override {
        w = width;
        h = height;
        d = depth;
    }
    void beginUsing(int) const override {}
    void endUsing(int) const override {}
    void update(unsigned char*, int, int, int, int, bool) override {}
    const MatSys::TextureOptions& getOptions() const override { return options; }
    void setOptions(const MatSys::TextureOptions&) override {}
    unsigned getImageSize(bool) const override { return 0; }
    void getImage(unsigned char*, bool) const override {}

    // Level 0 of a 2D texture as RGBA rows, bottom first.
    std::vector<unsigned char> pixels() const {
        std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 4);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return bytes;
    }

private:
    unsigned name = 0;
    int width;
    int height;
    int depth;
    MatSys::TextureOptions options{true, true, false, false};
};

Pixel pixelOf(const std::vector<unsigned char>& rows, int width, int x, int y) {
    auto at = rows.begin() + (static_cast<long>(y) * width + x) * 4;
    return Pixel(at, at + 4);
}

GLint boundFramebuffer(GLenum which) {
    GLint name = -1;
    glGetIntegerv(which, &name);
    return name;
}

GLint attachedLayer(GLenum bindingPoint) {
    GLint layer = -1;
    glGetFramebufferAttachmentParameteriv(bindingPoint, GL_COLOR_ATTACHMENT0,
                                          GL_FRAMEBUFFER_ATTACHMENT_TEXTURE_LAYER, &layer);
    return layer;
}

class RenderBufferTest : public ControllerTest {
protected:
    // A 64 x 64 view: red everywhere, white in the left half.
    void drawHalfWhite() {
        Render::ViewData view;
        view.x = 0;
        view.y = 0;
        view.width = 64;
        view.height = 64;
        controller->setViewData(view);
        controller->doClear(Util::RGBA{255, 0, 0, 255});
        controller->setColor(Util::RGBA{255, 255, 255, 255});
        glBegin(GL_QUADS);
        glVertex2i(0, 0);
        glVertex2i(32, 0);
        glVertex2i(32, 64);
        glVertex2i(0, 64);
        glEnd();
    }
};

const Pixel kWhite{255, 255, 255, 255};
const Pixel kRed{255, 0, 0, 255};

}  // namespace

TEST_F(RenderBufferTest, DrawingGoesIntoTheAttachedTexture) {
    TestTexture texture(64, 64, 1);
    std::unique_ptr<I_RenderBuffer> buffer(
        controller->createRenderBuffer(64, 64, I_RenderBuffer::RBUF_FB_TEX, &texture, 0));
    ASSERT_TRUE(buffer);
    EXPECT_EQ(boundFramebuffer(GL_FRAMEBUFFER_BINDING), 0);

    buffer->beginUsing(nullptr, 0);
    EXPECT_NE(boundFramebuffer(GL_FRAMEBUFFER_BINDING), 0);
    drawHalfWhite();
    buffer->endUsing();
    EXPECT_EQ(boundFramebuffer(GL_FRAMEBUFFER_BINDING), 0);

    std::vector<unsigned char> rows = texture.pixels();
    EXPECT_EQ(pixelOf(rows, 64, 0, 0), kWhite);
    EXPECT_EQ(pixelOf(rows, 64, 31, 63), kWhite);
    EXPECT_EQ(pixelOf(rows, 64, 32, 0), kRed);
    EXPECT_EQ(pixelOf(rows, 64, 63, 63), kRed);
}

TEST_F(RenderBufferTest, ColourRenderBufferReadsBackWhatWasDrawn) {
    std::unique_ptr<I_RenderBuffer> buffer(
        controller->createRenderBuffer(64, 64, I_RenderBuffer::RBUF_FB_RGBA, nullptr, 0));
    ASSERT_TRUE(buffer);
    buffer->beginUsing(nullptr, 0);
    drawHalfWhite();
    Pixel left(4);
    Pixel right(4);
    controller->copyScreen(left.data(), 10, 10, 1, 1);
    controller->copyScreen(right.data(), 50, 10, 1, 1);
    buffer->endUsing();
    EXPECT_EQ(left, kWhite);
    EXPECT_EQ(right, kRed);
}

TEST_F(RenderBufferTest, SizeAboveTheMaximumIsRefusedBeforeAnyObjectIsMade) {
    RenderBuffer first(1, 1, I_RenderBuffer::RBUF_FB_RGBA, nullptr, 0);
    GLint driverMax = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &driverMax);
    const int max = RenderBuffer::maxSize();
    EXPECT_EQ(max, driverMax);

    RenderBuffer wide(max + 1, 16, I_RenderBuffer::RBUF_FB_RGBA, nullptr, 0);
    EXPECT_FALSE(wide.isValid());
    EXPECT_EQ(wide.getFramebufferName(), 0u);
    EXPECT_EQ(wide.getRenderbufferName(), 0u);
    RenderBuffer tall(16, max + 1, I_RenderBuffer::RBUF_FB_RGBA, nullptr, 0);
    EXPECT_FALSE(tall.isValid());
    EXPECT_EQ(tall.getFramebufferName(), 0u);
    EXPECT_EQ(controller->createRenderBuffer(max + 1, 16, I_RenderBuffer::RBUF_FB_RGBA, nullptr, 0),
              nullptr);

    RenderBuffer widest(max, 16, I_RenderBuffer::RBUF_FB_RGBA, nullptr, 0);
    EXPECT_TRUE(widest.isValid());
}

TEST_F(RenderBufferTest, EmptyOrUnknownKindsAreInvalidAndTheControllerGivesNull) {
    RenderBuffer empty(0, 0, I_RenderBuffer::RBUF_FB_RGB, nullptr, 0);
    EXPECT_FALSE(empty.isValid());
    EXPECT_NE(empty.getFramebufferName(), 0u);  // made, but not usable
    EXPECT_EQ(controller->createRenderBuffer(0, 0, I_RenderBuffer::RBUF_FB_RGB, nullptr, 0),
              nullptr);

    for (int kind : {0, 10, -3}) {
        RenderBuffer unknown(16, 16, static_cast<I_RenderBuffer::RBType>(kind), nullptr, 0);
        EXPECT_FALSE(unknown.isValid()) << kind;
        EXPECT_EQ(unknown.getFramebufferName(), 0u) << kind;
    }
}

TEST_F(RenderBufferTest, TexKindWithoutATextureHasNoColourAndIsRefused) {
    RenderBuffer depthOnly(16, 16, I_RenderBuffer::RBUF_FB_TEX, nullptr, 0);
    EXPECT_FALSE(depthOnly.isValid());
    EXPECT_EQ(controller->createRenderBuffer(16, 16, I_RenderBuffer::RBUF_FB_TEX, nullptr, 0),
              nullptr);
}

TEST_F(RenderBufferTest, SliceOfA3DTextureIsAttachedAndReattachedOnlyWhenItChanges) {
    TestTexture volume(16, 16, 8);
    RenderBuffer buffer(16, 16, I_RenderBuffer::RBUF_DRAW_TEX, &volume, 5);
    ASSERT_TRUE(buffer.isValid());
    EXPECT_EQ(buffer.getBindingPoint(), static_cast<unsigned>(GL_DRAW_FRAMEBUFFER));
    EXPECT_EQ(buffer.getTextureName(), volume.getID());

    buffer.beginUsing(&volume, 5);
    EXPECT_EQ(boundFramebuffer(GL_DRAW_FRAMEBUFFER_BINDING),
              static_cast<GLint>(buffer.getFramebufferName()));
    EXPECT_EQ(attachedLayer(GL_DRAW_FRAMEBUFFER), 5);
    buffer.beginUsing(&volume, 6);
    EXPECT_EQ(attachedLayer(GL_DRAW_FRAMEBUFFER), 6);
    EXPECT_EQ(buffer.getLayer(), 6);
    buffer.beginUsing(nullptr, 2);  // keeps the attachment
    EXPECT_EQ(attachedLayer(GL_DRAW_FRAMEBUFFER), 6);
    buffer.endUsing();
    EXPECT_EQ(boundFramebuffer(GL_DRAW_FRAMEBUFFER_BINDING), 0);
}

TEST_F(RenderBufferTest, BlitCopiesTheWindowIntoADrawRenderBuffer) {
    drawHalfWhite();  // into the window's back buffer
    std::unique_ptr<I_RenderBuffer> target(
        controller->createRenderBuffer(32, 32, I_RenderBuffer::RBUF_DRAW_RGBA, nullptr, 0));
    ASSERT_TRUE(target);
    target->beginUsing(nullptr, 0);
    // The window's left 64 x 64 squeezed into 32 x 32.
    controller->blit(0, 0, 64, 64, 0, 0, 32, 32);
    target->endUsing();

    auto& buffer = dynamic_cast<RenderBuffer&>(*target);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, buffer.getFramebufferName());
    Pixel left(4);
    Pixel right(4);
    controller->copyScreen(left.data(), 4, 4, 1, 1);
    controller->copyScreen(right.data(), 28, 4, 1, 1);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    EXPECT_EQ(left, kWhite);
    EXPECT_EQ(right, kRed);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

using RenderBufferDeathTest = RenderBufferTest;

TEST_F(RenderBufferDeathTest, TextureWithAKindThatTakesNoneIsFatal) {
    // A forked child has no usable context; re-run the test in a fresh process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TestTexture texture(16, 16, 1);
    EXPECT_DEATH(RenderBuffer(16, 16, I_RenderBuffer::RBUF_FB_RGBA, &texture, 0),
                 "ABORT: Func:.*RenderBuffer::RenderBuffer\\(.*\\) "
                 "File:lib/Render/OGL/RenderBuffer.cpp Line: [0-9]+\n"
                 "ABORT: Must used RBUF_\\?_TEX for RenderBuffer with texture\n");
}
