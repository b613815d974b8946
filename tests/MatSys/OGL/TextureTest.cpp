#include "support/GLTest.h"
#include "support/TempDir.h"

#include <memory>

#include "MatSys/I_Texture.h"
#include "MatSys/OGL/Texture.h"
#include "MatSys/OGL/TextureMaker.h"
#include "MatSys/TextureStore.h"
#include "support/TgaBytes.h"

namespace {

using Bytes = std::vector<unsigned char>;
using MatSys::I_Texture;
using MatSys::OGL::Texture;
using MatSys::OGL::TextureMaker;

class TextureTest : public TestSupport::GLTest {
protected:
    std::unique_ptr<Texture> load(const std::string& name, const std::string& content) {
        dir.write(name, content);
        TextureMaker maker(dir.path());
        return std::unique_ptr<Texture>(dynamic_cast<Texture*>(maker.create(name)));
    }

    static GLint levelParameter(GLenum target, GLenum which) {
        GLint value = 0;
        glGetTexLevelParameteriv(target, 0, which, &value);
        return value;
    }

    TestSupport::TempDir dir;
};

TEST_F(TextureTest, TwentyFourBitFileBecomesAnRgbTextureWithSwappedChannels) {
    auto texture = load("pair.NCMP.tga", TestSupport::tgaFile(2, 1, 24, {1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(texture);
    EXPECT_NE(texture->getID(), 0u);
    EXPECT_EQ(texture->getTarget(), unsigned(GL_TEXTURE_2D));
    EXPECT_EQ(texture->getPixelFormat(), unsigned(GL_RGB));
    texture->beginUsing(0);
    Bytes image(texture->getImageSize(false));
    texture->getImage(image.data(), false);
    EXPECT_EQ(image, (Bytes{3, 2, 1, 6, 5, 4}));
    texture->endUsing(0);
}

TEST_F(TextureTest, EightBitFileBecomesAnAlphaTexture) {
    auto texture = load("mask.tga", TestSupport::tgaFile(2, 2, 8, {10, 20, 30, 40}));
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->getPixelFormat(), unsigned(GL_ALPHA));
    texture->beginUsing(0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, GL_TEXTURE_INTERNAL_FORMAT), GL_ALPHA8);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, GL_TEXTURE_ALPHA_SIZE), 8);
    Bytes image(texture->getImageSize(true));
    texture->getImage(image.data(), true);
    EXPECT_EQ(image[3], 10);
    EXPECT_EQ(image[15], 40);
    texture->endUsing(0);
}

TEST_F(TextureTest, SquareSliceStacksBecomeVolumesOnlyWhenAskedAndWhenTheyFit) {
    std::string stack = TestSupport::tgaFilled(16, 256, 32, {1, 2, 3, 4});
    auto volume = load("vol.3D.tga", stack);
    ASSERT_TRUE(volume);
    int w, h, d;
    volume->getSize(w, h, d);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    EXPECT_EQ(d, 16);
    EXPECT_EQ(volume->getTarget(), unsigned(GL_TEXTURE_3D));
    volume->beginUsing(0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_3D, GL_TEXTURE_DEPTH), 16);
    Bytes image(volume->getImageSize(true));
    ASSERT_EQ(image.size(), 16u * 16 * 16 * 4);
    volume->getImage(image.data(), true);
    EXPECT_EQ((Bytes{image[0], image[1], image[2], image[3]}), (Bytes{3, 2, 1, 4}));
    volume->endUsing(0);

    auto flat = load("vol.tga", stack);
    ASSERT_TRUE(flat);
    flat->getSize(w, h, d);
    EXPECT_EQ(h, 256);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(flat->getTarget(), unsigned(GL_TEXTURE_2D));

    auto uneven = load("odd.3D.tga", TestSupport::tgaFilled(16, 250, 32, {1, 2, 3, 4}));
    ASSERT_TRUE(uneven);
    uneven->getSize(w, h, d);
    EXPECT_EQ(h, 250);
    EXPECT_EQ(uneven->getTarget(), unsigned(GL_TEXTURE_2D));
}

TEST_F(TextureTest, NameOptionsSetFiltersAndMipmapsAndSetOptionsChangesThem) {
    auto texture = load("grid.NEAR.NMIP.tga", TestSupport::tgaFilled(4, 4, 32, {0, 0, 0, 255}));
    ASSERT_TRUE(texture);
    EXPECT_FALSE(texture->getOptions().linear);
    EXPECT_FALSE(texture->getOptions().mipmaps);
    texture->beginUsing(0);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, &value);
    EXPECT_EQ(value, GL_FALSE);

    texture->setOptions(MatSys::TextureOptions(true, true, false, true));
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    EXPECT_TRUE(texture->getOptions().linear);
    texture->endUsing(0);

    auto mipmapped = load("plain.tga", TestSupport::tgaFilled(4, 4, 32, {0, 0, 0, 255}));
    mipmapped->beginUsing(0);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, &value);
    EXPECT_EQ(value, GL_TRUE);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    EXPECT_NE(levelParameter(GL_TEXTURE_2D, GL_TEXTURE_INTERNAL_FORMAT),
              GL_RGBA);  // compressed by default
    mipmapped->endUsing(0);
}

TEST_F(TextureTest, ImageSizeCountsPackedRowsAndGetImageStaysInsideThem) {
    TextureMaker maker("");
    std::unique_ptr<I_Texture> square(maker.create("sq.NCMP", nullptr, 32, 10, 10, 0));
    EXPECT_EQ(square->getImageSize(true), 400u);
    EXPECT_EQ(square->getImageSize(false), 300u);

    // RGB rows of 3 pixels are 9 bytes: with OpenGL's default alignment of 4 they would
    // be padded to 12 and overrun a block of getImageSize() bytes.
    Bytes pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    std::unique_ptr<I_Texture> odd(maker.create("odd.NCMP", pixels.data(), 24, 3, 2, 0));
    odd->beginUsing(0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    Bytes image(odd->getImageSize(false) + 8, 0xAB);
    odd->getImage(image.data(), false);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 18), pixels);
    EXPECT_EQ(Bytes(image.begin() + 18, image.end()), Bytes(8, 0xAB));
    GLint alignment = 0;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
    odd->endUsing(0);
}

TEST_F(TextureTest, SixtyFourBitSourcesBecomeFloatTextures) {
    TextureMaker maker("");
    std::vector<float> texels = {0.25f, 0.5f, 2.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    std::unique_ptr<I_Texture> texture(
        maker.create("f.NMIP", reinterpret_cast<unsigned char*>(texels.data()), 64, 2, 1, 0));
    auto* ogl = dynamic_cast<Texture*>(texture.get());
    ASSERT_NE(ogl, nullptr);
    EXPECT_EQ(ogl->getPixelFormat(), unsigned(GL_RGBA32F_ARB));
    texture->beginUsing(0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA32F_ARB);
    std::vector<float> back(8, -1.0f);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, back.data());
    EXPECT_EQ(back, texels);  // not clamped to [0, 1]
    texture->endUsing(0);
}

TEST_F(TextureTest, UpdateReplacesARectangle) {
    TextureMaker maker("");
    Bytes pixels(4 * 2 * 4, 0);
    std::unique_ptr<I_Texture> texture(maker.create("up.NCMP.NMIP", pixels.data(), 32, 4, 2, 0));
    texture->beginUsing(0);
    Bytes patch = {9, 8, 7, 6, 5, 4, 3, 2};
    texture->update(patch.data(), 1, 1, 2, 1, true);
    Bytes image(texture->getImageSize(true));
    texture->getImage(image.data(), true);
    EXPECT_EQ(Bytes(image.begin() + 16, image.begin() + 20), Bytes(4, 0));
    EXPECT_EQ(Bytes(image.begin() + 20, image.begin() + 28), patch);
    EXPECT_EQ(Bytes(image.begin() + 28, image.end()), Bytes(4, 0));
    texture->endUsing(0);
}

TEST_F(TextureTest, UsingAUnitEnablesItThereAndReturnsToUnitZero) {
    auto texture = load("u.tga", TestSupport::tgaFilled(2, 2, 32, {1, 1, 1, 1}));
    ASSERT_TRUE(texture);
    texture->beginUsing(1);
    GLint active = 0, bound = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture->getID());

    texture->endUsing(1);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
    glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE1);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture->getID());
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(TextureTest, UnreadableFilesMakeNoTexture) {
    TextureMaker maker(dir.path());
    EXPECT_EQ(maker.create("missing.tga"), nullptr);
    dir.write("bad.tga", TestSupport::tgaFile(2, 1, 16, {1, 2, 3, 4}));
    EXPECT_EQ(maker.create("bad.tga"), nullptr);
}

class TextureStoreTest : public TextureTest {
protected:
    void SetUp() override {
        TextureTest::SetUp();
        maker = std::make_unique<TextureMaker>(dir.path());
        store = std::make_unique<MatSys::TextureStore>(maker.get());
    }
    void TearDown() override {
        store.reset();
        TextureTest::TearDown();
    }

    std::unique_ptr<TextureMaker> maker;
    std::unique_ptr<MatSys::TextureStore> store;
};

TEST_F(TextureStoreTest, ReadsAFileOnceAndKeepsItUnderTheAskedName) {
    dir.write("font.tga", TestSupport::tgaFilled(2, 2, 32, {1, 2, 3, 4}));
    I_Texture* first = store->add("font.tga");
    ASSERT_NE(first, nullptr);
    dir.write("font.tga", "");  // a second read would now fail
    EXPECT_EQ(store->add("font.tga"), first);
    EXPECT_EQ(store->get("font.tga", true), first);
    EXPECT_TRUE(store->exists("font.tga"));
    EXPECT_FALSE(store->exists("font"));
}

TEST_F(TextureStoreTest, MissingOrUnsupportedNamesStayOut) {
    EXPECT_EQ(store->get("missing.tga", true), nullptr);
    EXPECT_FALSE(store->exists("missing.tga"));
    dir.write("pic.png", "not an image");
    EXPECT_EQ(store->get("pic.png", true), nullptr);
    EXPECT_FALSE(store->exists("pic.png"));
    EXPECT_EQ(store->add("alias", "missing.tga"), nullptr);
    EXPECT_FALSE(store->exists("alias"));
}

TEST_F(TextureStoreTest, AddWithAFileNameKeepsTheTextureUnderTheGivenName) {
    dir.write("x.tga", TestSupport::tgaFilled(1, 1, 32, {1, 2, 3, 4}));
    I_Texture* texture = store->add("alias", "x.tga");
    ASSERT_NE(texture, nullptr);
    EXPECT_TRUE(store->exists("alias"));
    EXPECT_FALSE(store->exists("x.tga"));
    EXPECT_EQ(store->get("alias", false), texture);
}

TEST_F(TextureStoreTest, CreateUnderATakenNameHandsTheNewTextureToTheCaller) {
    I_Texture* held = store->create("t", nullptr, 32, 2, 2, 0);
    ASSERT_NE(held, nullptr);
    std::unique_ptr<I_Texture> extra(store->create("t", nullptr, 32, 2, 2, 0));
    ASSERT_NE(extra.get(), nullptr);
    EXPECT_NE(extra.get(), held);
    EXPECT_EQ(store->get("t", false), held);
    EXPECT_EQ(store->create("", nullptr, 32, 2, 2, 0), nullptr);
    MatSys::TextureStore noMaker(nullptr);
    EXPECT_EQ(noMaker.create("t", nullptr, 32, 2, 2, 0), nullptr);
    EXPECT_EQ(noMaker.get("t", true), nullptr);
}

TEST_F(TextureStoreTest, IteratesInNameOrderAndDestroysByName) {
    store->create("b", nullptr, 32, 1, 1, 0);
    store->create("a", nullptr, 32, 1, 1, 0);
    store->create("c", nullptr, 32, 1, 1, 0);
    store->destroy("b");
    std::unique_ptr<MatSys::TextureStoreIterator> it(store->getIterator());
    std::vector<std::string> names;
    for (it->first(); !it->isDone(); it->next()) {
        ASSERT_NE(it->currentItem().second, nullptr);
        names.push_back(it->currentItem().first);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"a", "c"}));
    store->clear();
    EXPECT_FALSE(store->exists("a"));
}

}  // namespace
