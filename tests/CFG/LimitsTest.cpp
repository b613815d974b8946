// Hostile configuration input: every size, count and loop has a bound, and input
// beyond it gets the documented outcome, never a hang or an exhausted memory.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "CFG/Info.h"
#include "ConfigDir.h"

namespace {

using CFGTest::ConfigDir;

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

// Operands are read only as far as a number reaches, so long expressions evaluate in
// time linear in their length (the benchmark measures it) and exactly as before.
TEST(LongExpression, EvaluatesEveryTermAndReadsOperandsOnlyAsFarAsTheNumber) {
    CFG::Info info;
    const std::pair<std::string, std::string> cases[] = {
        {"EVAL:(1" + repeated("+1", 99999) + ")", "100000"},
        {"EVAL:(" + repeated("(", 200) + "1" + repeated("+1)", 200) + ")", "201"},
        {"EVAL:(1e3+2)", "1000"},  // the exponent belongs to the value, not to the text read
        {"EVAL:(2.5e+1*2)", "25"},
        {"EVAL:(-.5*4)", "-2"},
        {"EVAL:(7" + repeated(" ", 100000) + "+1)", "8"},
    };
    for (const auto& [expression, expected] : cases) {
        info.add("E", expression);
        EXPECT_EQ(info.get("E"), expected) << expression.substr(0, 40);
    }
    for (const char* failing : {"EVAL:(3e)", "EVAL:(1+x1+1)", "EVAL:(1+.)"}) {
        info.add("E", failing);
        EXPECT_THROW(info.get("E"), std::domain_error) << failing;
    }
}

}  // namespace
