#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "support/ConfigDir.h"

namespace {

using TestSupport::ConfigDir;

class InfoFile : public ConfigDir {
protected:
    // Parses text as the file "test.cfg" into a configuration without parent.
    CFG::Info& load(const std::string& text) {
        write("test.cfg", text);
        loadedOk = info.addConfig("test.cfg");
        return info;
    }

    CFG::Info info;
    bool loadedOk = false;
};

TEST_F(InfoFile, ReadsEntriesCommentsAndTheLastOfRepeatedKeys) {
    load(
        "# A==9 is a comment\n"
        "  A == 1  \n"
        "garbage line\n"
        "A==2\n"
        "EMPTY==\n"
        "HASH==x # not a comment\n"
        "==no key\n"
        "BOTH==a??b\n");
    EXPECT_TRUE(loadedOk);
    EXPECT_EQ(info.get("A"), "2");
    EXPECT_EQ(info.get("EMPTY"), "");
    EXPECT_EQ(info.get("HASH"), "x # not a comment");
    EXPECT_EQ(info.get(""), "no key");
    EXPECT_EQ(info.get("BOTH"), "a??b");  // "==" wins over "??"
    EXPECT_EQ(info.get("# A"), "");
    EXPECT_EQ(info.get("MISSING"), "");
}

TEST_F(InfoFile, StripsQuotesOnOneLine) {
    load("Q==\"x\"\nTWO==\"\"\nCLOSING==x\"\nINNER==a\"b\nMANY==\"\"\"y\"\"\n");
    EXPECT_EQ(info.get("Q"), "x");
    EXPECT_EQ(info.get("TWO"), "");
    EXPECT_EQ(info.get("CLOSING"), "x");
    EXPECT_EQ(info.get("INNER"), "a\"b");
    EXPECT_EQ(info.get("MANY"), "y");
}

TEST_F(InfoFile, ContinuesQuotedValuesOverRawLines) {
    load(
        "A==\"first\n"
        "  second\"\n"
        "GLUE==\"ab\\\n"
        "cd\"\n"
        "BREAK==\"ab\\n\\\n"
        "cd\"\n"
        "LONE==\"\n"
        "# kept\t \n"
        "B==c\"\n"
        "INLINE==\"a\\nb\"\n"
        "BLANKS==\"x\n"
        "   \n"
        "y\"\n"
        "AFTER==1\n");
    EXPECT_TRUE(loadedOk);
    EXPECT_EQ(info.get("A"), "first\n  second");
    EXPECT_EQ(info.get("GLUE"), "abcd");
    EXPECT_EQ(info.get("BREAK"), "ab\ncd");
    // A continuation line is not read as a comment or an entry.
    EXPECT_EQ(info.get("LONE"), "\n# kept\nB==c");
    EXPECT_EQ(info.get("B"), "");
    EXPECT_EQ(info.get("INLINE"), "a\\nb");
    EXPECT_EQ(info.get("BLANKS"), "x\n\ny");
    EXPECT_EQ(info.get("AFTER"), "1");
}

TEST_F(InfoFile, UnclosedQuoteFailsButKeepsEarlierEntriesAndLoadsCompanions) {
    write("test.cfg.MOD", "MOD==yes\n");
    load("A==1\nOPEN==\"never closed\nB==2\n");
    EXPECT_FALSE(loadedOk);
    EXPECT_EQ(info.get("A"), "1");
    EXPECT_EQ(info.get("OPEN"), "");
    EXPECT_EQ(info.get("B"), "");
    EXPECT_EQ(info.get("MOD"), "yes");
}

TEST_F(InfoFile, SelectorBlockPicksTheCaseNamedByItsSelectorKey) {
    const std::string block = "SIZE??MODE\nA==10\nB==20\n*==5\nMODE\n";
    EXPECT_EQ(load("MODE==B\n" + block).get("SIZE"), "20");
    EXPECT_EQ(load("MODE==Q\n" + block).get("SIZE"), "5");
    EXPECT_EQ(load("MODE==Q\nSIZE??MODE\nA==10\nMODE\n").get("SIZE"), "");
    // Entries inside a block are not top-level keys; reading continues after the block.
    EXPECT_EQ(load("MODE==A\n" + block + "AFTER==1\n").get("AFTER"), "1");
    EXPECT_EQ(info.get("B"), "");
}

TEST_F(InfoFile, SelectorBlocksNestAndAnUnclosedBlockRunsToTheEnd) {
    load(
        "OUTER==X\nINNER==Y\n"
        "K??OUTER\n"
        "  X??INNER\n"
        "    Y==deep\n"
        "  INNER\n"
        "  *==outer default\n"
        "OUTER\n"
        "OPEN??OUTER\n"
        "X==inside\n"
        "END_OF_CFG_RESOURCES\n"
        "LATE==1\n");
    EXPECT_EQ(info.get("K"), "deep");
    EXPECT_EQ(info.get("OPEN"), "inside");
    EXPECT_EQ(info.get("LATE"), "");
    EXPECT_TRUE(loadedOk);
}

TEST_F(InfoFile, TerminatorEndsTheFileOnlyAtTopLevel) {
    load("A==1\nEND_OF_CFG_RESOURCES\nA==3\n");
    EXPECT_EQ(info.get("A"), "1");
    load("S==v\nB??S\nEND_OF_CFG_RESOURCES\nv==in\nS\nC==after\n");
    EXPECT_EQ(info.get("B"), "in");
    EXPECT_EQ(info.get("C"), "after");
}

TEST_F(InfoFile, KeysListsTopLevelKeysInByteOrder) {
    load("B==1\nA==2\nQ??S\nINNER==3\nS\na==4\n_==5\n");
    std::vector<std::string> keys{"stale"};
    info.keys(keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "B", "Q", "_", "a"}));
}

TEST_F(InfoFile, MissingFileLeavesTheConfigurationAsItWas) {
    load("A==1\n");
    EXPECT_FALSE(info.addConfig("missing.cfg"));
    write("empty.cfg", "");
    EXPECT_FALSE(info.addConfig("empty.cfg"));
    EXPECT_EQ(info.get("A"), "1");

    CFG::Info fromMissing("missing.cfg", nullptr);
    std::vector<std::string> keys;
    fromMissing.keys(keys);
    EXPECT_TRUE(keys.empty());

    write("broken.cfg", "A==1\nB==\"open\n");
    CFG::Info fromBroken("broken.cfg", nullptr);
    fromBroken.keys(keys);
    EXPECT_TRUE(keys.empty());
}

TEST_F(InfoFile, IncludesNamingDirectoriesLoadNothing) {
    write("sub/inner.cfg", "INNER==1\n");
    load("<INCLUDE_DOT==.\n<INCLUDE_SUB==sub\n<INCLUDE_ROOT==/\nA==1\n");
    EXPECT_TRUE(loadedOk);
    EXPECT_EQ(info.get("A"), "1");
    EXPECT_EQ(info.get("INNER"), "");
    EXPECT_FALSE(info.addConfig("sub"));
}

TEST_F(InfoFile, ResetEmptiesButKeepsTheParent) {
    CFG::Info parent;
    parent.add("P", "from parent");
    CFG::Info child(&parent);
    child.add("C", "1");
    child.reset();
    EXPECT_EQ(child.get("C"), "");
    EXPECT_EQ(child.get("P"), "from parent");
}

TEST_F(InfoFile, AddStoresOneLineLikeTheFileDoes) {
    EXPECT_TRUE(info.add("K", "\"quoted\""));
    EXPECT_EQ(info.get("K"), "quoted");
    EXPECT_TRUE(info.add("  SPACED ", " v "));
    EXPECT_EQ(info.get("SPACED"), "v");
    EXPECT_TRUE(info.add("K", "replaced"));
    EXPECT_EQ(info.get("K"), "replaced");
    EXPECT_FALSE(info.add("OPEN", "\"not closed"));
    EXPECT_EQ(info.get("OPEN"), "");
    EXPECT_TRUE(info.add("K", ""));
    EXPECT_EQ(info.get("K"), "");
    EXPECT_EQ(CFG::Info::keyValueSeparator(), "==");
}

TEST_F(InfoFile, ParentWinsWithANonEmptyValue) {
    CFG::Info overrides;
    overrides.add("WIDTH", "800");
    overrides.add("EMPTY", "");
    CFG::Info config(&overrides);
    write("a.cfg", "WIDTH==640\nEMPTY==file value\nMODE==B\nSIZE??MODE\nB==20\nMODE\n");
    ASSERT_TRUE(config.addConfig("a.cfg"));
    EXPECT_EQ(config.get("WIDTH"), "800");
    EXPECT_EQ(config.get("EMPTY"), "file value");
    // The parent is asked for the selected case too.
    overrides.add("B", "from overrides");
    EXPECT_EQ(config.get("SIZE"), "from overrides");
}

TEST_F(InfoFile, CompanionFilesAndIncludesLoadAfterTheFileInOrder) {
    write("test.cfg.MOD", "A==mod\nM==1\n");
    write("test.cfg.MOD.MOD", "A==mod of mod\n");
    write("first.cfg", "ORDER==first\nINC_KEY==first\n");
    write("second.cfg", "ORDER==second\n");
    write("dir/third.cfg", "THIRD==3\n");
    load(
        "A==main\nORDER==main\n"
        "<INCLUDE_1==first.cfg\n"
        "<INCLUDE_2==second.cfg\n"
        "NAME==third\n"
        "<INCLUDE_3==dir/::NAME::.cfg\n"
        "<INCLUDE_MISSING==nowhere.cfg\n");
    EXPECT_TRUE(loadedOk);
    EXPECT_EQ(info.get("A"), "mod of mod");
    EXPECT_EQ(info.get("M"), "1");
    EXPECT_EQ(info.get("ORDER"), "second");
    EXPECT_EQ(info.get("INC_KEY"), "first");
    EXPECT_EQ(info.get("THIRD"), "3");
}

TEST_F(InfoFile, IncludeKeysOfBlocksAndAddedKeysAreRecorded) {
    write("picked.cfg", "PICKED==1\n");
    write("added.cfg", "ADDED==1\n");
    write("other.cfg", "OTHER==1\n");
    info.add("<INCLUDE_ADDED", "added.cfg");
    EXPECT_EQ(info.get("ADDED"), "");  // loaded only by the next addConfig
    load("S==A\n<INCLUDE_BLOCK??S\nA==picked.cfg\nS\n");
    EXPECT_EQ(info.get("PICKED"), "1");
    EXPECT_EQ(info.get("ADDED"), "1");
    EXPECT_EQ(info.get("OTHER"), "");
}

TEST_F(InfoFile, IniFilesAreConvertedAndTheirOwnLinesFollow) {
    write("settings.ini", "[Video]\nWidth = 640\nTitle = \"My game\"\nNATIVE==yes\n");
    ASSERT_TRUE(info.addConfig("settings.ini"));
    EXPECT_EQ(info.get("Video::Width:NUM"), "640");
    EXPECT_EQ(info.get("Video::Title:STR"), "My game");
    EXPECT_EQ(info.get("NATIVE"), "yes");

    write("bad.INI", "A=1\nB=\"open\n");
    EXPECT_FALSE(info.addConfig("bad.INI"));
    EXPECT_EQ(info.get("::A:NUM"), "");
}

TEST_F(InfoFile, BlocksNestedThousandsDeepAreStoredAndFreed) {
    std::string text;
    const int depth = 100000;
    for (int i = 0; i < depth; ++i) {
        text += "K??S\n";
    }
    text += "LEAF==1\n";
    auto deep = std::make_unique<CFG::Info>();
    write("deep.cfg", text + "S\n");
    EXPECT_TRUE(deep->addConfig("deep.cfg"));
    std::vector<std::string> keys;
    deep->keys(keys);
    EXPECT_EQ(keys, std::vector<std::string>{"K"});
    EXPECT_EQ(deep->get("K"), "");
    deep.reset();  // freeing must not recurse once per level
}

}  // namespace
