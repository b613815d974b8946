#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "MatSys/Material.h"
#include "MatSys/MaterialStore.h"
#include "MatSys/MaterialSystemFacade.h"
#include "support/FakeShaderProgram.h"
#include "support/FakeTexture.h"
#include "support/MaterialMakerFixture.h"
#include "support/TempDir.h"

namespace {

using MatSys::Material;
using MatSys::ShaderParams;
using TestSupport::FakeProgram;
using TestSupport::FakeTexture;
using TestSupport::Journal;

ShaderParams paramsOf(const std::vector<std::string>& lines) {
    ShaderParams params;
    params.add(lines);
    return params;
}

TEST(Material, BindsTexturesInOrderThenTheProgramWithItsParameters) {
    Journal journal;
    FakeProgram program("lit", journal);
    FakeTexture bricks("bricks", journal), moss("moss", journal), noise("noise", journal);
    ShaderParams tint = paramsOf({"tint : 4f : 1,0,0,1"});
    Material material(&program, &tint);
    material.bindTexture(1, &noise);
    material.bindTexture(0, &bricks);
    material.bindTexture(1, &moss);  // replaces noise in place
    ASSERT_EQ(material.getTextures().size(), 2u);
    EXPECT_EQ(material.getTextures()[0], std::make_pair(1, static_cast<MatSys::I_Texture*>(&moss)));

    material.beginUsing();
    material.endUsing();
    EXPECT_EQ(journal, (Journal{"bind moss to 1", "bind bricks to 0", "begin lit with params",
                                "unbind moss from 1", "unbind bricks from 0", "end lit"}));
    EXPECT_EQ(program.lastParams.find("tint").getFloats()[0], 1.0f);
}

TEST(Material, KeepsAPrivateCopyOfItsParametersOrNone) {
    Journal journal;
    FakeProgram program("p", journal);
    ShaderParams params = paramsOf({"a : 1f : 1"});
    Material material(&program, &params);
    params.add("a : 1f : 2");
    ASSERT_NE(material.getParams(), nullptr);
    EXPECT_FLOAT_EQ(material.getParams()->find("a").getFloats()[0], 1.0f);
    material.setParams(nullptr);
    EXPECT_EQ(material.getParams(), nullptr);
    material.beginUsing();
    EXPECT_EQ(journal.back(), "begin p");
}

TEST(Material, WithoutAProgramBindsNothingNotEvenTextures) {
    Journal journal;
    FakeTexture texture("t", journal);
    Material material(nullptr, nullptr);
    material.bindTexture(0, &texture);
    material.beginUsing();
    material.endUsing();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(material.getProgram(), nullptr);
}

class MaterialMakerTest : public TestSupport::MaterialMakerFixture {
protected:
    MaterialMakerTest() : store(&maker) {}

    std::string define(const std::string& file, const std::string& content) {
        return dir.write(file, content);
    }

    MatSys::MaterialStore store;
};

TEST_F(MaterialMakerTest, ReadsProgramParametersAndTexturesFromTheDefinitionFile) {
    textureMaker.files = {"bricks.tga", "noise.NEAR.tga"};
    std::string path =
        define("wall.matdef",
               "wall_PROG == lit\n"
               "wall_MAT_lit_PARAMS == \"tint : 4f : 1, 0.8, 0.8, 1\n"
               "gloss : 1f : 0.5\"\n"
               "wall_MAT_TEXTURES == 0:bricks.tga, 1:noise.NEAR.tga, 2:missing.tga, 3:a:b, :x\n");
    std::unique_ptr<Material> wall(maker.create("wall.matdef", nullptr));
    ASSERT_TRUE(wall);
    EXPECT_EQ(journal.front(), "make lit by file " + path);
    EXPECT_EQ(static_cast<FakeProgram*>(wall->getProgram())->name, "lit");
    ASSERT_NE(wall->getParams(), nullptr);
    EXPECT_EQ(wall->getParams()->size(), 2u);
    EXPECT_FLOAT_EQ(wall->getParams()->find("tint").getFloats()[1], 0.8f);
    ASSERT_EQ(wall->getTextures().size(), 2u);
    EXPECT_EQ(wall->getTextures()[0].first, 0);
    EXPECT_EQ(static_cast<FakeTexture*>(wall->getTextures()[1].second)->name, "noise.NEAR.tga");
    EXPECT_EQ(wall->getTextures()[1].first, 1);
    EXPECT_TRUE(textures.exists("bricks.tga"));
    EXPECT_FALSE(textures.exists("missing.tga"));
}

TEST_F(MaterialMakerTest, ALaterEntryForAUnitReplacesTheEarlierOne) {
    textureMaker.files = {"bricks.tga", "moss.tga"};
    define("wall.matdef", "wall_MAT_TEXTURES == 0:bricks.tga, 0:moss.tga\n");
    std::unique_ptr<Material> wall(maker.create("wall.matdef", nullptr));
    ASSERT_TRUE(wall);
    ASSERT_EQ(wall->getTextures().size(), 1u);
    EXPECT_EQ(static_cast<FakeTexture*>(wall->getTextures()[0].second)->name, "moss.tga");
}

TEST_F(MaterialMakerTest, TextureEntriesNeedAUnitAndAName) {
    textureMaker.files = {"bricks.tga"};
    define("a.matdef", "a_MAT_TEXTURES == bricks.tga\n");
    std::unique_ptr<Material> a(maker.create("a.matdef", nullptr));
    ASSERT_TRUE(a);
    EXPECT_TRUE(a->getTextures().empty());

    define("b.matdef", "b_MAT_TEXTURES == x:bricks.tga\n");
    try {
        std::unique_ptr<Material> b(maker.create("b.matdef", nullptr));
        FAIL() << "no exception";
    } catch (const std::domain_error& error) {
        EXPECT_STREQ(error.what(), "Cant convert String to Num:x");
    }
}

TEST_F(MaterialMakerTest, CallersParametersReplaceFileLinesOfTheSameName) {
    define("wall.matdef", "wall_MAT_wall_PARAMS == \"tint : 4f : 1,1,1,1\nalpha : 1f : 0.5\"\n");
    ShaderParams callers = paramsOf({"tint : 4f : 0,0,1,1"});
    std::unique_ptr<Material> wall(maker.create("wall.matdef", &callers));
    ASSERT_TRUE(wall);
    EXPECT_FLOAT_EQ(wall->getParams()->find("tint").getFloats()[2], 1.0f);
    EXPECT_FLOAT_EQ(wall->getParams()->find("tint").getFloats()[0], 0.0f);
    EXPECT_FLOAT_EQ(wall->getParams()->find("alpha").getFloats()[0], 0.5f);

    // Without lines in the file the caller's set is taken as it is, or none.
    define("bare.matdef", "");
    std::unique_ptr<Material> bare(maker.create("bare.matdef", &callers));
    EXPECT_EQ(bare->getParams()->size(), 1u);
    std::unique_ptr<Material> none(maker.create("bare.matdef", nullptr));
    EXPECT_EQ(none->getParams(), nullptr);
}

TEST_F(MaterialMakerTest, AHeldProgramLosesItsOwnParametersToAMaterialDefinition) {
    FakeProgram* lit = new FakeProgram("lit", journal);
    lit->setParams(paramsOf({"tint : 4f : 1,1,1,1"}));
    programs.add("lit", lit);
    define("wall.matdef", "wall_PROG == lit\nwall_MAT_lit_PARAMS == tint : 4f : 0.5,0.5,0.5,1\n");
    std::unique_ptr<Material> wall(maker.create("wall.matdef", nullptr));
    ASSERT_TRUE(wall);
    EXPECT_EQ(wall->getProgram(), lit);
    EXPECT_EQ(lit->getParams().size(), 0u);
    wall->beginUsing();
    EXPECT_FLOAT_EQ(lit->lastParams.find("tint").getFloats()[0], 0.5f);
}

TEST_F(MaterialMakerTest, NamesWithoutTheExtensionAreProgramNames) {
    std::unique_ptr<Material> lit(maker.create("lit", nullptr));
    ASSERT_TRUE(lit);
    EXPECT_EQ(journal, (Journal{"make lit by name"}));
    EXPECT_TRUE(programs.exists("lit"));

    programMaker.refused = {"dark"};
    EXPECT_EQ(maker.create("dark", nullptr), nullptr);
    EXPECT_EQ(maker.create("x", static_cast<MatSys::I_ShaderProgram*>(nullptr), nullptr), nullptr);

    maker.setMatdefExt(".mat");
    journal.clear();
    std::unique_ptr<Material> other(maker.create("stone.mat", nullptr));
    ASSERT_TRUE(other);
    EXPECT_EQ(journal, (Journal{"make stone by file " + dir.file("stone.mat")}));
}

TEST_F(MaterialMakerTest, LoadDirectoryGetsOneFinalSlash) {
    maker.setLoadDir("mats");
    EXPECT_EQ(maker.getLoadDir(), "mats/");
    maker.setLoadDir("");
    EXPECT_EQ(maker.getLoadDir(), "");
    EXPECT_EQ(maker.getTextureStore(), &textures);
    maker.setTextureStore(nullptr);
    textureMaker.files = {"t.tga"};
    std::unique_ptr<Material> m(maker.create("m", nullptr));
    maker.bindTexture(m.get(), 0, "t.tga");
    EXPECT_TRUE(m->getTextures().empty());
}

TEST_F(MaterialMakerTest, StoreReplacesOrKeepsParametersOfAHeldMaterialByTheForm) {
    ShaderParams first = paramsOf({"a : 1f : 1"});
    Material* held = store.add("m", &first, dir.file("none.matdef"));
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(store.add("m", nullptr, dir.file("none.matdef")), held);
    ASSERT_NE(held->getParams(), nullptr);  // null parameters leave them
    ShaderParams second = paramsOf({"a : 1f : 2"});
    EXPECT_EQ(store.add("m", &second, "whatever"), held);
    EXPECT_FLOAT_EQ(held->getParams()->find("a").getFloats()[0], 2.0f);
    EXPECT_EQ(store.add("m", static_cast<ShaderParams*>(nullptr)), held);  // this form clears them
    EXPECT_EQ(held->getParams(), nullptr);

    EXPECT_EQ(store.get("m", false), held);
    EXPECT_EQ(store.get("n", false), nullptr);
    EXPECT_NE(store.get("n", true), nullptr);
    EXPECT_EQ(store.getMatdefExt(), ".matdef");

    std::unique_ptr<MatSys::MaterialStoreIterator> it(store.getIterator());
    std::vector<std::string> names;
    for (it->first(); !it->isDone(); it->next())
        names.push_back(it->currentItem().first);
    EXPECT_EQ(names, (std::vector<std::string>{"m", "n"}));
    store.destroy("m");
    EXPECT_FALSE(store.exists("m"));
    store.clear();
    EXPECT_FALSE(store.exists("n"));
}

TEST(MaterialStore, WithoutAMakerMakesNothing) {
    MatSys::MaterialStore store(nullptr);
    EXPECT_EQ(store.getMatdefExt(), "WTH!!");
    EXPECT_EQ(store.get("m", true), nullptr);
    EXPECT_EQ(store.add("m", nullptr, "x"), nullptr);
    EXPECT_FALSE(store.exists("m"));
}

TEST(MaterialSystemFacade, ReadsMaterialsFromItsOwnPathWithAGivenProgramMaker) {
    TestSupport::TempDir dir;
    Journal journal;
    std::string path = dir.write("game.cfg", "wall_PROG == lit\n");
    auto* programMaker = new TestSupport::FakeProgramMaker(journal);  // the facade owns it
    MatSys::MaterialSystemFacade facade(path, programMaker);
    EXPECT_TRUE(facade.addMaterial("wall"));
    EXPECT_EQ(journal, (Journal{"make lit by file " + path}));
    Material* wall = facade.getMaterial("wall");
    ASSERT_NE(wall, nullptr);
    EXPECT_TRUE(facade.getShaderProgramStore()->exists("lit"));

    // A held name with null parameters stays as it is.
    EXPECT_TRUE(facade.addMaterial("wall"));
    EXPECT_EQ(facade.getMaterial("wall"), wall);
    EXPECT_EQ(facade.getMaterial("other"), nullptr);

    programMaker->refused = {"dark"};
    EXPECT_FALSE(facade.addMaterial("dark"));
    EXPECT_FALSE(facade.getMaterialStore()->exists("dark"));
    EXPECT_NE(facade.getTextureStore(), nullptr);
}

// A program and a program maker that write their own deletion into the journal.
struct MortalProgram : FakeProgram {
    using FakeProgram::FakeProgram;
    ~MortalProgram() override { journal->push_back("delete " + name); }
};

struct MortalProgramMaker : TestSupport::FakeProgramMaker {
    using FakeProgramMaker::create;
    using FakeProgramMaker::FakeProgramMaker;
    ~MortalProgramMaker() override { journal->push_back("delete maker"); }
    MatSys::I_ShaderProgram* create(const std::string& name, const ShaderParams&,
                                    const std::string&) override {
        return new MortalProgram(name, *journal);
    }
};

TEST(MaterialSystemFacade, DeletesEachStoreBeforeTheMakerItUses) {
    TestSupport::TempDir dir;
    Journal journal;
    {
        std::string path = dir.write("game.cfg", "wall_PROG == lit\n");
        MatSys::MaterialSystemFacade facade(path, new MortalProgramMaker(journal));
        ASSERT_TRUE(facade.addMaterial("wall"));
    }
    EXPECT_EQ(journal, (Journal{"delete lit", "delete maker"}));
}

}  // namespace
