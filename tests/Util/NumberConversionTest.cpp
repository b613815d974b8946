#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "Util/NumberConversion.h"

namespace {

TEST(StrToNum, ReadsTheNumberAtTheStartInTheGivenBase) {
    EXPECT_EQ(Util::strToNum<int>("12px", 10), 12);
    EXPECT_EQ(Util::strToNum<int>("  -7", 10), -7);
    EXPECT_EQ(Util::strToNum<int>("ff", 16), 255);
    EXPECT_EQ(Util::strToNum<int>("0x1F", 16), 31);
    EXPECT_EQ(Util::strToNum<int>("17", 8), 15);
    EXPECT_EQ(Util::strToNum<short>("0x10", 0), 16);  // other bases let the text choose
    EXPECT_EQ(Util::strToNum<int>("010", 0), 8);
    EXPECT_EQ(Util::strToNum<int>("19", 0), 19);
    EXPECT_FLOAT_EQ(Util::strToNum<float>("1e3x", 16), 1000.0f);  // base ignored for floats
    EXPECT_FLOAT_EQ(Util::strToNum<float>("2.5", 10), 2.5f);
    EXPECT_EQ(Util::strToNum<int>("", 10), 0);
    EXPECT_EQ(Util::strToNum<float>("", 16), 0.0f);
}

TEST(StrToNum, WithoutBaseChoosesHexOnlyForTheZeroXPrefix) {
    EXPECT_EQ(Util::strToNum<int>("0x1F"), 31);
    EXPECT_EQ(Util::strToNum<int>("010"), 10);
    EXPECT_EQ(Util::strToNum<int>("7.9"), 7);
    EXPECT_FLOAT_EQ(Util::strToNum<float>("7.9"), 7.9f);
}

TEST(StrToNum, ThrowsWithTheWholeTextWhenNothingCanBeRead) {
    const char* const bad[] = {"abc", " ", "-", "x12", "99999999999", "."};
    for (const char* text : bad) {
        try {
            Util::strToNum<int>(text, 10);
            ADD_FAILURE() << "no exception for '" << text << "'";
        } catch (const std::domain_error& error) {
            EXPECT_EQ(std::string(error.what()), std::string("Cant convert String to Num:") + text);
        }
    }
    EXPECT_THROW(Util::strToNum<float>("px"), std::domain_error);
}

TEST(NumToStr, FormatsWithPrecisionWidthAndBase) {
    EXPECT_EQ(Util::numToStr<float>(3.14159f, 10, 0, 2), "3.14");
    EXPECT_EQ(Util::numToStr<float>(5.0f, 10, 3, 0), "005");
    EXPECT_EQ(Util::numToStr<float>(0.5f, 10, 0, -1), "0.5");
    EXPECT_EQ(Util::numToStr<float>(12.0f), "12");
    EXPECT_EQ(Util::numToStr<float>(1000001.0f), "1e+06");
    EXPECT_EQ(Util::numToStr<float>(2.5f, 16, 0, -1), "0x2.5");
    EXPECT_EQ(Util::numToStr<float>(7.25f, 10, 6, 1), "0007.2");
    EXPECT_EQ(Util::numToStr<int>(255, 16, 4, -1), "0x00ff");
}

}  // namespace
