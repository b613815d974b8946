#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CFG/INItoCFG.h"

namespace {

std::vector<std::string> convert(const std::string& text, bool expectedResult = true) {
    std::vector<std::string> lines;
    EXPECT_EQ(CFG::INItoCFG(text, lines), expectedResult) << text;
    return lines;
}

using Lines = std::vector<std::string>;

TEST(INItoCFG, TurnsSectionsAndEntriesIntoConfigurationLines) {
    EXPECT_EQ(convert("[Video]\nWidth = 640\nTitle = \"My game\"\n"),
              (Lines{"Video::Width:NUM==\"640\"", "Video::Title:STR==\"My game\""}));
    EXPECT_EQ(convert("[ Sound ]\nVolume=7\n"), (Lines{"Sound::Volume:NUM==\"7\""}));
    EXPECT_EQ(convert("Name=\n"), (Lines{"::Name:NUM==\"\""}));
    EXPECT_EQ(convert("[Open\nA=1\n[x] trailing\nB=2\n"),
              (Lines{"Open::A:NUM==\"1\"", "x::B:NUM==\"2\""}));
    EXPECT_EQ(convert("K = a=b\n"), (Lines{"::K:NUM==\"a=b\""}));
    EXPECT_EQ(CFG::stringTypePostfix() + CFG::numberTypePostfix() + CFG::sectionKeySeparator(),
              ":STR:NUM::");
}

TEST(INItoCFG, SkipsCommentsAndLinesWithoutEquals) {
    EXPECT_EQ(convert(";comment\n#comment\ngarbage\n  \n\n"), Lines{});
    EXPECT_EQ(convert(";a=1\n  #b=2\nc=3 ; not a comment\n"),
              (Lines{"::c:NUM==\"3 ; not a comment\""}));
}

TEST(INItoCFG, QuotedValuesContinueOverLines) {
    EXPECT_EQ(convert("V=\"abc\ndef\"\n"), (Lines{"::V:STR==\"abc\ndef\""}));
    EXPECT_EQ(convert("V=\"ab\\\ncd\"\nW=\"x\\n\\\ny\"\n"),
              (Lines{"::V:STR==\"abcd\"", "::W:STR==\"x\ny\""}));
    EXPECT_EQ(convert("V=x\"\n"), (Lines{"::V:NUM==\"x\""}));
}

TEST(INItoCFG, OpenQuoteAtTheEndFails) {
    std::vector<std::string> lines;
    EXPECT_FALSE(CFG::INItoCFG("A=1\nB=\"open\nstill open\n", lines));
    EXPECT_FALSE(CFG::INItoCFG("B=\"\n", lines));
}

}  // namespace
