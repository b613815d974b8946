#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "CFG/Global.h"
#include "Game/Abilities.h"
#include "Render/I_RenderAbilities.h"

namespace {

const char* const kTitle = "Quorlith: v0.90";

// Detects 100 + id for every ability and records the overrides it is given.
class RecordingAbilities : public Render::I_RenderAbilities {
public:
    int getAbility(int id) override {
        asked.push_back(id);
        return 100 + id;
    }
    void setAbility(int id, int value) override { set.push_back({id, value}); }

    std::vector<int> asked;
    std::vector<std::pair<int, int>> set;
};

}  // namespace

TEST(PublishAbilities, WithoutConfigurationEveryDetectedValueGoesIntoTheOverrides) {
    RecordingAbilities abilities;
    Game::publishAbilities(abilities);

    EXPECT_EQ(abilities.asked, (std::vector<int>{0, 1, 2, 4, 3, 5, 7, 6, 8, 9, 10, 11, 12}));
    EXPECT_TRUE(abilities.set.empty());
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_HAVE_SHADERS"), "100");
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_HAVE_VBOS"), "104");
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_MAX_PBO_SIZE"), "112");
    EXPECT_EQ(CFG::get("INFO_HAVE_FRAME_BLIT"), "106");  // seen through the global configuration
}

TEST(PublishAbilities, AConfiguredValueOverridesAndIsNotPublished) {
    CFG::global()->add("INFO_MAX_TEXTURE_SIZE_2D", "512");
    CFG::global()->add("INFO_HAVE_VBOS", "0");
    RecordingAbilities abilities;
    Game::publishAbilities(abilities);

    EXPECT_EQ(abilities.set, (std::vector<std::pair<int, int>>{{4, 0}, {8, 512}}));
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_MAX_TEXTURE_SIZE_2D"), "");
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_HAVE_VBOS"), "");
    EXPECT_EQ(CFG::getDefaultOverrides()->get("INFO_MAX_TEXTURE_SIZE_3D"), "109");
}

TEST(PublishAbilities, AConfiguredValueThatIsNoNumberThrows) {
    CFG::global()->add("INFO_HAVE_RTT", "yes");
    RecordingAbilities abilities;
    EXPECT_THROW(Game::publishAbilities(abilities), std::domain_error);
}

TEST(RequiredAbilities, PassWhenTheirInfoKeysSayYes) {
    CFG::getDefaultOverrides()->add("INFO_HAVE_VBOS", "1");
    CFG::getDefaultOverrides()->add("INFO_HAVE_FBOS", "YES");
    Game::requireAbilities(kTitle, "HAVE_VBOS, HAVE_FBOS");
    Game::requireAbilities(kTitle, "");  // Quorlith's own list
    SUCCEED();
}

TEST(RequiredAbilitiesDeathTest, EndTheProgramNamingTheMissingOne) {
    CFG::getDefaultOverrides()->add("INFO_HAVE_VBOS", "1");
    CFG::getDefaultOverrides()->add("INFO_HAVE_SHADERS", "0");
    EXPECT_DEATH(Game::requireAbilities(kTitle, "HAVE_VBOS, HAVE_SHADERS"),
                 "ABORT: Quorlith: v0.90 requires support for HAVE_SHADERS");
    EXPECT_DEATH(Game::requireAbilities(kTitle, "MAX_FBO_SIZE"),
                 "requires support for MAX_FBO_SIZE");
}
