#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"

namespace {

class Parser : public ::testing::Test {
protected:
    Parser() : parser(&info) {}

    CFG::Info info;
    CFG::InfoParser parser;
};

TEST_F(Parser, GetNumberReadsHexDecimalAndExpressions) {
    info.add("HEX", "0x1F");
    info.add("SPACED", "\" 42 \"");
    info.add("FRACTION", "7.9");
    info.add("QUARTER", "EVAL:(1/4)");
    info.add("EMPTY", "");
    info.add("NEGATIVE", "-3");
    info.add("UNIT", "12px");
    EXPECT_EQ(parser.getNumber<int>("HEX"), 31);
    EXPECT_EQ(parser.getNumber<unsigned long>("HEX"), 31ul);
    EXPECT_EQ(parser.getNumber<int>("SPACED"), 42);
    EXPECT_EQ(parser.getNumber<int>("FRACTION"), 7);
    EXPECT_FLOAT_EQ(parser.getNumber<float>("FRACTION"), 7.9f);
    EXPECT_FLOAT_EQ(parser.getNumber<float>("QUARTER"), 0.25f);
    EXPECT_EQ(parser.getNumber<int>("MISSING"), 0);
    EXPECT_EQ(parser.getNumber<float>("EMPTY"), 0.0f);
    EXPECT_EQ(parser.getNumber<int>("NEGATIVE"), -3);
    EXPECT_EQ(parser.getNumber<unsigned int>("UNIT"), 12u);
}

TEST_F(Parser, GetNumberOfTextThrowsWithTheText) {
    info.add("WORD", "abc");
    try {
        parser.getNumber<int>("WORD");
        FAIL() << "no exception";
    } catch (const std::domain_error& error) {
        EXPECT_STREQ(error.what(), "Cant convert String to Num:abc");
    }
    EXPECT_THROW(parser.getNumber<float>("WORD"), std::domain_error);
}

TEST_F(Parser, GetBoolAcceptsExactlyYesYAndOne) {
    const std::pair<const char*, bool> cases[] = {{"YES", true},  {"Y", true},     {"1", true},
                                                  {"yes", false}, {"TRUE", false}, {"", false},
                                                  {"YES ", true}, {"10", false},   {"y", false}};
    for (const auto& [value, expected] : cases) {
        info.add("FLAG", value);
        EXPECT_EQ(parser.getBool("FLAG"), expected) << "'" << value << "'";
    }
    EXPECT_FALSE(parser.getBool("MISSING"));
}

TEST_F(Parser, GetNumbersAppendsThePiecesAndCountsThem) {
    info.add("LIST", "3, 4,,6");
    std::vector<int> values{1};
    EXPECT_EQ(parser.getNumbers<int>("LIST", values, ",", false), 3u);
    EXPECT_EQ(values, (std::vector<int>{1, 3, 4, 6}));

    values.clear();
    EXPECT_EQ(parser.getNumbers<int>("LIST", values, ",", true), 4u);
    EXPECT_EQ(values, (std::vector<int>{3, 4, 0, 6}));

    values.clear();
    EXPECT_EQ(parser.getNumbers<int>("MISSING", values, ",", false), 0u);
    EXPECT_TRUE(values.empty());

    info.add("BAD", "1,x");
    EXPECT_THROW(parser.getNumbers<int>("BAD", values, ",", false), std::domain_error);
}

TEST_F(Parser, RangeAndPointReadTheirNumbersInOrder) {
    info.add("RANGE", "0.5, 2");
    info.add("BACKWARDS", "9,-1");
    info.add("POINT", "1, 2, 3");
    EXPECT_EQ(parser.getRange<float>("RANGE"), Util::Range<float>(0.5f, 2.0f));
    EXPECT_EQ(parser.getRange<float>("BACKWARDS"), Util::Range<float>(9.0f, -1.0f));
    EXPECT_EQ(parser.getPoint<float>("POINT"), MathStuff::Vector3<float>(1, 2, 3));
}

TEST_F(Parser, StringPairSplitsAtItsSeparator) {
    CFG::InfoParser::StringPairGettor pair("=>");
    const CFG::InfoParser::ObjGettor<std::pair<std::string, std::string>>& gettor = pair;
    EXPECT_EQ(gettor("a=>b"), std::make_pair(std::string("a"), std::string("b")));
    EXPECT_EQ(gettor(" key => value "), std::make_pair(std::string("key"), std::string("value")));
}

using ParserDeathTest = Parser;

TEST_F(ParserDeathTest, WrongCountsAreFatalWithTheKeyAndTheCount) {
    info.add("THREE", "1,2,3");
    info.add("GAP", " , 1, 2");
    EXPECT_DEATH(parser.getRange<float>("THREE"),
                 "\nABORT: Failed to read Range THREE Got 3 values\n");
    EXPECT_DEATH(parser.getRange<float>("MISSING"),
                 "\nABORT: Failed to read Range MISSING Got 0 values\n");
    EXPECT_DEATH(parser.getPoint<float>("GAP"), "\nABORT: Failed to read Point GAP Got 2 values\n");
    EXPECT_DEATH(parser.getPoint<float>("MISSING"),
                 "\nABORT: Failed to read Point MISSING Got 0 values\n");
    CFG::InfoParser::StringPairGettor pair("=>");
    EXPECT_DEATH(
        pair("a=>b=>c"),
        "\nABORT: Invalid string pair part: a=>b=>c. Expected <str1>:<str2>, 2 parts not 3\n");
}

}  // namespace
