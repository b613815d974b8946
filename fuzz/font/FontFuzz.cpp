// Loads a font from arbitrary bytes and lays every character out. The input is split at
// its first NUL byte: the text before it is the font configuration file, the bytes after
// it are the glyph image "glyphs.tga" beside it (read by the real TGA reader into a
// texture that only knows its size, so no OpenGL context is needed). The target checks
// what the font promises: cell sizes and frame counts within their limits, and text
// written only inside the vertex array. Fatal reports (bad mappings, missing images,
// sizes beyond the limits) are turned into exceptions by the report hook; a number that
// cannot be read throws std::domain_error by design.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "MatSys/I_Texture.h"
#include "MatSys/I_TextureMaker.h"
#include "MatSys/TextureLimits.h"
#include "MatSys/TextureStore.h"
#include "Media/TGA.h"
#include "Render/I_VertexArray.h"
#include "SprFont/SpriteFont.h"
#include "SprFont/SpriteFontRenderer.h"
#include "SprSys/SpriteRender.h"
#include "SprSys/SpriteSheet.h"
#include "fuzz/support/FuzzSupport.h"

namespace {

using FuzzSupport::check;

constexpr const char* kFontName = "font.cfg";
constexpr const char* kImageName = "glyphs.tga";
constexpr int kArrayQuads = 64;

// A texture that knows its size only.
class SizedTexture : public MatSys::I_Texture {
public:
    SizedTexture(unsigned w, unsigned h) : width(int(w)), height(int(h)) {}
    const unsigned& getID() const override { return id; }
    void getSize(int& w, int& h, int& d) const override {
        w = width;
        h = height;
        d = 0;
    }
    void beginUsing(int) const override {}
    void endUsing(int) const override {}
    void update(unsigned char*, int, int, int, int, bool) override {}
    const MatSys::TextureOptions& getOptions() const override { return options; }
    void setOptions(const MatSys::TextureOptions& newOptions) override { options = newOptions; }
    unsigned getImageSize(bool) const override { return 0; }
    void getImage(unsigned char*, bool) const override {}

private:
    int width;
    int height;
    unsigned id = 0;
    MatSys::TextureOptions options;
};

// Reads ".tga" names from the working directory through the real TGA reader.
class TgaSizeMaker : public MatSys::I_TextureMaker {
public:
    MatSys::I_Texture* create(const std::string&, unsigned char*, unsigned, unsigned width,
                              unsigned height, unsigned) override {
        return new SizedTexture(width, height);
    }
    MatSys::I_Texture* create(const std::string& name) override {
        unsigned width = 0, height = 0, bits = 0;
        unsigned char* pixels = nullptr;
        if (!Media::TGA::loadFromFile(name.c_str(), &width, &height, &bits, &pixels)) {
            return nullptr;
        }
        delete[] pixels;
        return new SizedTexture(width, height);
    }
};

// A client-memory array that aborts on any write outside its bytes.
class CheckedArray : public Render::I_VertexArray {
public:
    explicit CheckedArray(int size) : bytes(size_t(size)) {}
    int getBufferSize() const override { return int(bytes.size()); }
    void defineVertexInfo(int, DataType) override {}
    void defineTextureInfo(int, DataType) override {}
    void defineColorInfo(int, DataType) override {}
    void defineAttrInfo(int, DataType) override {}
    void defineAttrInfo(int, int, DataType) override {}
    void setUseVertexInfoAsTextureInfo(bool) override {}
    void getVertices(float*, int, int) const override {}
    void putVertices(const float*, int, int) override {}
    void getData(void*, int, int) const override {}
    void putData(const void* src, int byteCount, int bytePos) override {
        check(bytePos >= 0 && byteCount >= 0 && size_t(bytePos) + byteCount <= bytes.size());
        const auto* from = static_cast<const unsigned char*>(src);
        std::copy(from, from + byteCount, bytes.begin() + bytePos);
    }
    void beginUsing() const override {}
    void endUsing() const override {}

private:
    std::vector<unsigned char> bytes;
};

// What a loaded font promises, and a layout of every character inside the array.
void checkFont(SprFont::SpriteFont& font) {
    check(font.getWidth() >= 1 && font.getWidth() <= MatSys::kMaxTextureSide);
    check(font.getHeight() >= 1 && font.getHeight() <= MatSys::kMaxTextureSide);
    check(font.getSprSheet()->getFrameCount() <= SprSys::SpriteSheet::kMaxFrames);
    std::string everyCharacter;
    for (int c = 0; c < SprFont::SpriteFont::kCharacters; ++c) {
        everyCharacter += char(c);
        check(font.getAnimFrames(char(c)).size() <=
              size_t(SprFont::SpriteFont::kMaxFramesPerGlyph));
    }
    CheckedArray array(SprFont::SpriteFontRenderer::sizeOfVA(kArrayQuads));
    SprFont::SpriteFontRenderer renderer(&font, &array, 0);
    renderer.addText(everyCharacter, SprSys::Spatial2D(), nullptr, 1.0f,
                     SprFont::SpriteFontRenderer::getDefaultMover());
    check(renderer.getBytesWritten() >= 0 && renderer.getBytesWritten() <= array.getBufferSize());
    check(renderer.getBytesWritten() % SprSys::SpriteRender::kBytesPerQuad == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Include keys and the image resolve in the private working directory.
    FuzzSupport::WorkingDirectory inPrivateDirectory(FuzzSupport::setUpOnce("font"));
    const char* bytes = reinterpret_cast<const char*>(data);
    const auto* split = static_cast<const char*>(std::memchr(bytes, '\0', size));
    const size_t configSize = split ? size_t(split - bytes) : size;
    FuzzSupport::writeFile(kFontName, bytes, configSize);
    const size_t imageStart = split ? configSize + 1 : size;
    FuzzSupport::writeFile(kImageName, bytes + imageStart, size - imageStart);

    TgaSizeMaker maker;
    MatSys::TextureStore textures(&maker);
    FuzzSupport::surviveIntendedEndings([&] {
        SprFont::SpriteFont font(&textures, kFontName, 0.0f);
        checkFont(font);
    });
    return 0;
}
