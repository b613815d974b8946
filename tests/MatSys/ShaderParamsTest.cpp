#include "MatSys/ShaderParams.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

using MatSys::ShaderParam;
using MatSys::ShaderParams;

ShaderParam parsed(const std::string& line) {
    ShaderParams params;
    params.add(line);
    EXPECT_EQ(params.size(), 1u) << line;
    std::unique_ptr<MatSys::ShaderParamsIterator> it(params.getIterator());
    it->first();
    return it->currentItem();
}

std::vector<std::string> names(const ShaderParams& params) {
    std::vector<std::string> result;
    std::unique_ptr<MatSys::ShaderParamsIterator> it(params.getIterator());
    for (it->first(); !it->isDone(); it->next())
        result.push_back(it->currentItem().getName());
    return result;
}

TEST(ShaderParam, ReadsFloatsForFloatTypesAndKeepsTheTexts) {
    ShaderParam scale = parsed("scale : 1f : 2.5");
    EXPECT_EQ(scale.getName(), "scale");
    EXPECT_EQ(scale.getType(), "1f");
    EXPECT_EQ(scale.getValueText(), "2.5");
    EXPECT_FLOAT_EQ(scale.getFloats()[0], 2.5f);
    EXPECT_EQ(scale.getCount(), 0);

    ShaderParam tint = parsed("tint:4f:1, 0.5,0.25 ,1");
    EXPECT_EQ((std::vector<float>(tint.getFloats(), tint.getFloats() + 5)),
              (std::vector<float>{1.0f, 0.5f, 0.25f, 1.0f, 0.0f}));
}

TEST(ShaderParam, ReadsIntegersInDecimalOrHexadecimal) {
    EXPECT_EQ(parsed("mask : 1i : 0x1F").getInts()[0], 31);
    EXPECT_EQ(parsed("mask : 1i : 31").getInts()[0], 31);
    ShaderParam mixed = parsed("m : 3i : 0x10, 010, -7");
    EXPECT_EQ((std::vector<int>(mixed.getInts(), mixed.getInts() + 3)),
              (std::vector<int>{16, 10, -7}));
    ShaderParam sampler = parsed("tex : sampler2D : 1");
    EXPECT_FALSE(sampler.isFloatType());
    EXPECT_EQ(sampler.getInts()[0], 1);
}

TEST(ShaderParam, CountsArrayElementsOnlyWhenTheyDivideEvenlyIntoOneToNine) {
    ShaderParam shifts = parsed("shifts : 2fv : 1,2,3,4,5,6");
    EXPECT_EQ(shifts.getCount(), 3);
    EXPECT_FLOAT_EQ(shifts.getFloats()[5], 6.0f);
    EXPECT_EQ(parsed("shifts : 2fv : 1,2,3,4,5").getCount(), 0);
    EXPECT_EQ(parsed("w : 1fv : 1,2,3,4,5,6,7,8,9").getCount(), 9);
    EXPECT_EQ(parsed("w : 1fv : 1,2,3,4,5,6,7,8,9,10,11,12").getCount(), 0);
    EXPECT_EQ(parsed("v : 4iv : 1,2,3,4,5,6,7,8").getCount(), 2);
    EXPECT_EQ(parsed("v : 5iv : 1,2,3,4,5").getCount(), 0);
    EXPECT_EQ(parsed("v : 4f : 1,2,3,4").getCount(), 0);
}

TEST(ShaderParam, DropsEmptyValuePiecesAndIgnoresMoreThanThirtySixValues) {
    ShaderParam gap = parsed("a : 3f : 1,,2");
    EXPECT_EQ((std::vector<float>(gap.getFloats(), gap.getFloats() + 3)),
              (std::vector<float>{1.0f, 2.0f, 0.0f}));

    std::string many;
    for (int i = 1; i <= 37; ++i)
        many += std::to_string(i) + ",";
    ShaderParam tooMany = parsed("big : 1iv : " + many);
    for (size_t i = 0; i < ShaderParam::kSlots; ++i)
        EXPECT_EQ(tooMany.getInts()[i], 0);
    EXPECT_EQ(tooMany.getCount(), 0);

    std::string exactly = many.substr(0, many.rfind("37"));
    EXPECT_EQ(parsed("big : 1i : " + exactly).getInts()[35], 36);
}

TEST(ShaderParam, ANonNumberThrowsTheConversionError) {
    try {
        ShaderParam("a", "1f", "1, x2");
        FAIL() << "no exception";
    } catch (const std::domain_error& error) {
        EXPECT_STREQ(error.what(), "Cant convert String to Num:x2");
    }
    EXPECT_THROW(ShaderParam("a", "1i", "0xZZ"), std::domain_error);
}

TEST(ShaderParams, SplitsLinesAtRunsOfColonsAndEqualSigns) {
    ShaderParam a = parsed("tint = 4f = 1,0,0,1");
    ShaderParam b = parsed("tint:4f:1, 0, 0, 1");
    ShaderParam c = parsed("::tint:=:4f==1,0,0,1:");
    for (const ShaderParam& p : {a, b, c}) {
        EXPECT_EQ(p.getName(), "tint");
        EXPECT_EQ(p.getType(), "4f");
        EXPECT_FLOAT_EQ(p.getFloats()[0], 1.0f);
        EXPECT_FLOAT_EQ(p.getFloats()[3], 1.0f);
    }
    // A piece of blanks still counts: the value text is then empty.
    ShaderParam blankValue = parsed("a : 1f : \t");
    EXPECT_EQ(blankValue.getValueText(), "");
}

TEST(ShaderParams, LinesWithOtherThanThreePiecesAddNothing) {
    ShaderParams params;
    params.add(std::vector<std::string>{"a : 1f", "a : 1f : 1 : 2", "", ":::", "a", "a:1f:"});
    EXPECT_EQ(params.size(), 0u);
}

TEST(ShaderParams, LaterParametersReplaceEarlierOnesAndMergeTakesTheOthers) {
    ShaderParams params;
    params.add("a : 1f : 1");
    params.add("a : 1f : 2");
    EXPECT_EQ(params.size(), 1u);
    EXPECT_FLOAT_EQ(params.find("a").getFloats()[0], 2.0f);

    ShaderParams other;
    other.add(std::vector<std::string>{"a : 1i : 7", "b : 1f : 3"});
    params.merge(other);
    EXPECT_EQ(names(params), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(params.find("a").getInts()[0], 7);
    EXPECT_EQ(other.size(), 2u);

    params.merge(params);
    EXPECT_EQ(params.size(), 2u);
}

TEST(ShaderParams, IteratesInNameOrderAndMissingNamesGiveTheUnnamedDefault) {
    ShaderParams params;
    params.add("b : 1f : 1");
    params.add("a : 1f : 1");
    params.add("c : 1f : 1");
    EXPECT_EQ(names(params), (std::vector<std::string>{"a", "b", "c"}));

    ShaderParam missing = params.find("zzz");
    EXPECT_EQ(missing.getName(), "UNNAMED_SHADER_PARAM");
    EXPECT_EQ(missing.getType(), "");
    EXPECT_EQ(missing.getCount(), 0);
    EXPECT_EQ(missing.getInts()[0], 0);
}

TEST(ShaderParams, CopiesAreIndependent) {
    ShaderParams original;
    original.add("a : 1f : 1");
    ShaderParams copy(original);
    copy.add("a : 1f : 5");
    copy.add("b : 1f : 5");
    EXPECT_FLOAT_EQ(original.find("a").getFloats()[0], 1.0f);
    EXPECT_EQ(original.size(), 1u);
    original = copy;
    copy.add("c : 1f : 1");
    EXPECT_EQ(original.size(), 2u);
}

}  // namespace
