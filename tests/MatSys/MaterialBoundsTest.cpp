// Texture units and texture counts in material definitions beyond what the material
// maker accepts.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MatSys/Material.h"
#include "support/MaterialMakerFixture.h"

namespace {

// The entries "0:t.tga" to "<n-1>:t.tga", units taken modulo 32, joined by ",".
std::string textureList(int n) {
    std::string list;
    for (int i = 0; i < n; ++i) {
        list += (i ? "," : "") + std::to_string(i % 32) + ":t.tga";
    }
    return list;
}

class MaterialBounds : public TestSupport::MaterialMakerFixture {
protected:
    MaterialBounds() { textureMaker.files = {"t.tga"}; }

    std::unique_ptr<MatSys::Material> material(const std::string& textureEntries) {
        dir.write("m.matdef", "m_MAT_TEXTURES == " + textureEntries + "\n");
        return std::unique_ptr<MatSys::Material>(maker.create("m.matdef", nullptr));
    }
};

TEST_F(MaterialBounds, UnitsAndEntriesUpToTheLimitBind) {
    const std::unique_ptr<MatSys::Material> all = material(textureList(32));
    ASSERT_TRUE(all);
    ASSERT_EQ(all->getTextures().size(), 32u);
    EXPECT_EQ(all->getTextures().back().first, 31);
}

using MaterialBoundsDeathTest = MaterialBounds;

TEST_F(MaterialBoundsDeathTest, UnitsOutsideTheNamedOnesAndTooManyEntriesAreReported) {
    const struct {
        std::string entries, message;
    } cases[] = {
        {"32:t.tga", "Material m in .*m.matdef: texture unit 32 in m_MAT_TEXTURES is outside 0-31"},
        {"0:t.tga, -1:t.tga", "texture unit -1 in m_MAT_TEXTURES is outside 0-31"},
        {"2147483647:t.tga", "texture unit 2147483647 in m_MAT_TEXTURES"},
        {textureList(33), "m_MAT_TEXTURES has 33 entries, more than the 32 texture units"},
    };
    for (const auto& c : cases) {
        EXPECT_DEATH(material(c.entries), "ABORT: .*" + c.message) << c.entries;
    }
}

}  // namespace
