#include <gtest/gtest.h>

#include "Files/Directory.h"
#include "Files/TextFile.h"
#include "support/TempDir.h"

TEST(Directory, SplitsAtTheLastSlashOnly) {
    namespace Dir = Files::Directory;
    EXPECT_EQ(Dir::dirname("a/b/c.cfg"), "a/b/");
    EXPECT_EQ(Dir::dirname("/x"), "/");
    EXPECT_EQ(Dir::dirname("quorlith.cfg"), "./");
    EXPECT_EQ(Dir::dirname("data/quorlith.cfg"), "data/");
    EXPECT_EQ(Dir::dirname("a\\b.cfg"), "./");
    EXPECT_EQ(Dir::basename("a/b/c.cfg"), "c.cfg");
    EXPECT_EQ(Dir::basename("a/"), "");
    EXPECT_EQ(Dir::basename("plain"), "plain");
}

TEST(TextFile, SizeIsTheByteLengthOrZero) {
    TestSupport::TempDir dir;
    EXPECT_EQ(Files::TextFile::size(dir.write("f.txt", "abc\n")), 4u);
    EXPECT_EQ(Files::TextFile::size(dir.file("missing.txt")), 0u);
}

TEST(TextFile, ADirectoryIsNoFileToRead) {
    TestSupport::TempDir dir;
    std::string text = "kept";
    EXPECT_EQ(Files::TextFile::size(dir.path()), 0u);
    EXPECT_FALSE(Files::TextFile::load(dir.path(), text));
    EXPECT_EQ(text, "kept");
}

TEST(TextFile, LoadAppendsLinesWithOneExtraLineFeed) {
    TestSupport::TempDir dir;
    std::string text = ">";
    EXPECT_TRUE(Files::TextFile::load(dir.write("two.txt", "a\nb\n"), text, "\n"));
    EXPECT_EQ(text, ">a\nb\n\n");

    std::string unterminated;
    EXPECT_TRUE(Files::TextFile::load(dir.write("u.txt", "a\n\nb"), unterminated, ";"));
    EXPECT_EQ(unterminated, "a;\nb;\n");
}

TEST(TextFile, LoadOfAnEmptyOrMissingFileLeavesTheOutputAlone) {
    TestSupport::TempDir dir;
    std::string text = "kept";
    EXPECT_FALSE(Files::TextFile::load(dir.write("empty.txt", ""), text));
    EXPECT_FALSE(Files::TextFile::load(dir.file("missing.txt"), text));
    EXPECT_EQ(text, "kept");
}
