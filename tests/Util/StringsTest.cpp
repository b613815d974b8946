#include <gtest/gtest.h>

#include "Util/Strings.h"

using Util::splitString;

namespace {
std::vector<std::string> split(const std::string& text, const std::string& sep, bool keepEmpty,
                               bool trim) {
    std::vector<std::string> parts;
    splitString(text, sep, parts, keepEmpty, trim);
    return parts;
}
}  // namespace

TEST(SplitString, DropsEmptyAndBlankPiecesWhenTrimming) {
    EXPECT_EQ(split("a, b,,c ,", ",", false, true), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(split("   \t ", ",", false, true).empty());
}

TEST(SplitString, KeepsEmptyPiecesIncludingTheTrailingOne) {
    EXPECT_EQ(split("a,,b,", ",", true, false), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(split("a,,b,", ",", true, true), (std::vector<std::string>{"a", "", "b", ""}));
}

TEST(SplitString, AppendsAndReturnsTheVectorSize) {
    std::vector<std::string> parts{"earlier"};
    EXPECT_EQ(splitString("", ",", parts, false, true), 1u);
    EXPECT_EQ(splitString("x,y", ",", parts, false, true), 3u);
    EXPECT_EQ(parts, (std::vector<std::string>{"earlier", "x", "y"}));
}

TEST(SplitString, MatchesAMultiCharacterSeparatorAsAWhole) {
    EXPECT_EQ(split("x::y", "::", false, true), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(split("x:y", "::", false, true), (std::vector<std::string>{"x:y"}));
}

TEST(SplitString, UntrimmedPiecesKeepTheirBlanks) {
    EXPECT_EQ(split(" a , b", ",", false, false), (std::vector<std::string>{" a ", " b"}));
}

TEST(SplitString, EmptySeparatorNeverMatchesSoTheTextIsOnePiece) {
    EXPECT_EQ(split(" a,b ", "", false, true), (std::vector<std::string>{"a,b"}));
    EXPECT_TRUE(split("", "", false, true).empty());
}

TEST(Trim, StripsOnlyTheEndsFromTheSet) {
    EXPECT_EQ(Util::trim("\t x y \r\n"), "x y");
    EXPECT_EQ(Util::trim(" \t\r\n"), "");
    EXPECT_EQ(Util::trim("--a-b--", "-"), "a-b");
}

TEST(PrefixAndSuffix, CompareBytewiseAndRejectLongerPatterns) {
    EXPECT_FALSE(Util::startswith("EVAL", "EVAL:("));
    EXPECT_TRUE(Util::startswith("EVAL:(1+2)", "EVAL:("));
    EXPECT_TRUE(Util::startswith("x", ""));
    EXPECT_TRUE(Util::endswith("a.cfg", ".cfg"));
    EXPECT_FALSE(Util::endswith("a.CFG", ".cfg"));
    EXPECT_FALSE(Util::endswith("g", ".cfg"));
    EXPECT_TRUE(Util::endswith("", ""));
}
