#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "CFG/Info.h"
#include "CFG/LoadAndReplaceCfg.h"
#include "support/ConfigDir.h"

namespace {

using TestSupport::ConfigDir;

// A configuration built from 'key', 'value' pairs without a file.
CFG::Info& fill(CFG::Info& info,
                std::initializer_list<std::pair<const char*, const char*>> entries) {
    for (const auto& entry : entries) {
        info.add(entry.first, entry.second);
    }
    return info;
}

TEST(KeySubstitution, ReplacesMarkedKeysAndLeavesEverythingElse) {
    CFG::Info info;
    fill(info, {{"A", "5"}, {"NEST", "<::A::>"}});
    EXPECT_EQ(info.replaceKeys("::A::"), "5");
    EXPECT_EQ(info.replaceKeys("x::A::y"), "x5y");
    EXPECT_EQ(info.replaceKeys("::A"), "::A");
    EXPECT_EQ(info.replaceKeys("a::b"), "a::b");
    EXPECT_EQ(info.replaceKeys("::A B::"), "::A B::");
    EXPECT_EQ(info.replaceKeys("::::"), "::::");
    EXPECT_EQ(info.replaceKeys("::MISSING::px"), "px");
    EXPECT_EQ(info.replaceKeys("::A::::A::"), "55");
    EXPECT_EQ(info.replaceKeys("::A::x::"), "5x::");
    EXPECT_EQ(info.replaceKeys(""), "");
    EXPECT_EQ(info.replaceKeys("[::NEST::]"), "[<5>]");
}

TEST(KeySubstitution, AppliesInGetThroughTheParent) {
    CFG::Info overrides;
    overrides.add("W", "800");
    CFG::Info info(&overrides);
    fill(info, {{"W", "640"}, {"LABEL", "w=::W::"}, {"RAW", "::W::"}});
    EXPECT_EQ(info.get("LABEL"), "w=800");
    // Substituted text is not scanned again.
    fill(info, {{"MARK", "::"}, {"JOIN", "::MARK::W::MARK::"}});
    EXPECT_EQ(info.get("JOIN"), "::W::");
}

TEST(Redirection, FollowsChainsOfKeys) {
    CFG::Info info;
    fill(info, {{"A", ">>B"},
                {"B", "7"},
                {"C", ">>A"},
                {"D", ">>::WHICH::"},
                {"WHICH", "B"},
                {"NONE", ">>MISSING"}});
    EXPECT_EQ(info.get("A"), "7");
    EXPECT_EQ(info.get("C"), "7");
    EXPECT_EQ(info.get("D"), "7");
    EXPECT_EQ(info.get("NONE"), "");
}

TEST(Expression, EvaluatesLeftToRightWithoutPrecedence) {
    CFG::Info info;
    fill(info, {{"W", "640"},
                {"E1", "EVAL:(2+3*4)"},
                {"E2", "EVAL:((1+2)*3)"},
                {"E3", "EVAL:(10/4)"},
                {"E4", "EVAL:(1<<4)"},
                {"E5", "EVAL:(3>2)"},
                {"E6", "EVAL:(2>=3)"},
                {"E7", "EVAL:( 3 - -2 )"},
                {"E8", "EVAL:(7%2)"},
                {"E9", "EVAL:(::W::/2)"},
                {"E10", "EVAL:(2*8)px"},
                {"E11", "EVAL:()"},
                {"E12", "EVAL:(2+)"},
                {"E13", "EVAL:(2+(3*4))"},
                {"E14", "EVAL:(2*-3)"},
                {"E15", "EVAL:(1000000+1)"},
                {"E16", "EVAL:(2+3"},
                {"E17", "EVAL:(1)+2)"},
                {"E18", "EVAL:(1/0)"},
                {"E19", "EVAL:(-1>>28)"},
                {"E20", "EVAL:(1<<33)"},
                {"E21", "EVAL:(2<=2)"},
                {"E22", "EVAL:(1<2)"},
                {"E23", "EVAL:(8)>>A"}});
    const std::pair<const char*, const char*> expected[] = {
        {"E1", "20"}, {"E2", "9"},     {"E3", "2.5"},  {"E4", "16"},  {"E5", "1"},
        {"E6", "0"},  {"E7", "5"},     {"E8", "7"},    {"E9", "320"}, {"E10", "16px"},
        {"E11", "0"}, {"E12", "2"},    {"E13", "14"},  {"E14", "-6"}, {"E15", "1e+06"},
        {"E16", "2"}, {"E17", "1+2)"}, {"E18", "inf"}, {"E19", "15"}, {"E20", "2"},
        {"E21", "1"}, {"E22", "1"},    {"E23", "8>>A"}};
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(info.get(key), value) << key;
    }
}

TEST(Expression, OperandThatIsNoNumberThrows) {
    CFG::Info info;
    fill(info, {{"BAD", "EVAL:(WIDTH/2)"}, {"SIGN", "EVAL:(1+-)"}});
    try {
        info.get("BAD");
        FAIL() << "no exception";
    } catch (const std::domain_error& error) {
        EXPECT_STREQ(error.what(), "Cant convert String to Num:WIDTH/2");
    }
    EXPECT_THROW(info.get("SIGN"), std::domain_error);
    // A failed evaluation leaves later lookups working.
    info.add("OK", "EVAL:(1+1)");
    EXPECT_EQ(info.get("OK"), "2");
}

TEST(ExpressionDeathTest, UnknownOperatorIsFatal) {
    CFG::Info info;
    info.add("E", "EVAL:(2(3))");
    EXPECT_DEATH(info.get("E"),
                 "ABORT: Func:.*CFG::Calculator::doCalculation.*\nABORT: Unknown operator: \\(\n");
}

TEST(ExpressionDeathTest, ParenthesesNestedBeyondTheLimitAreFatalNotACrash) {
    CFG::Info info;
    info.add("E", "EVAL:(" + std::string(100000, '(') + "1");
    EXPECT_DEATH(info.get("E"), "ABORT: Expression nested deeper than 256 levels\n");
}

// Values that refer to themselves read as empty at the point where they come back,
// however the reference is made.
TEST(SelfReference, EveryCycleShapeEndsWithTheEmptyString) {
    CFG::Info info;
    fill(info, {{"SUB", "x::SUB::y"},
                {"A", "a::B::"},
                {"B", "b::A::"},
                {"FAN", "::FAN::::FAN::::FAN::!"},
                {"REDIR", ">>REDIR"},
                {"R1", ">>R2"},
                {"R2", ">>R1"}});
    EXPECT_EQ(info.get("SUB"), "xy");
    EXPECT_EQ(info.get("A"), "ab");
    EXPECT_EQ(info.get("B"), "ba");
    EXPECT_EQ(info.get("FAN"), "!");
    EXPECT_EQ(info.get("REDIR"), "");
    EXPECT_EQ(info.get("R1"), "");
}

TEST_F(ConfigDir, SelectorBlockWhoseSelectorIsItselfFallsBackToStar) {
    write("s.cfg",
          "LOOP??LOOP\nA==1\n*==default\nLOOP\n"
          "M==::PICK::\nPICK??M\nx==1\n*==star\nM\n");
    CFG::Info info("s.cfg", nullptr);
    EXPECT_EQ(info.get("LOOP"), "default");
    EXPECT_EQ(info.get("PICK"), "star");
    EXPECT_EQ(info.get("M"), "star");
}

TEST(SelfReference, FanOutWithoutCyclesStaysBounded) {
    // Each key names the next one twice: 2^40 lookups if nothing bounded them.
    CFG::Info info;
    const int levels = 40;
    for (int i = 0; i < levels; ++i) {
        const std::string next = "::K" + std::to_string(i + 1) + "::";
        info.add("K" + std::to_string(i), next + next);
    }
    info.add("K" + std::to_string(levels), "x");
    const std::string value = info.get("K0");
    EXPECT_LE(value.size(), size_t(4096));
    // The budget is per outermost lookup: the next one starts afresh.
    EXPECT_EQ(info.get("K39"), "xx");
}

TEST(SelfReference, DeepButFiniteChainsStillResolve) {
    CFG::Info info;
    const int chain = 60;
    for (int i = 0; i < chain; ++i) {
        info.add("S" + std::to_string(i), "::S" + std::to_string(i + 1) + "::");
        info.add("R" + std::to_string(i), ">>R" + std::to_string(i + 1));
    }
    info.add("S" + std::to_string(chain), "end");
    info.add("R" + std::to_string(chain), "end");
    EXPECT_EQ(info.get("S0"), "end");
    EXPECT_EQ(info.get("R0"), "end");

    // Far beyond any real nesting the chain is cut and reads as empty.
    CFG::Info tooDeep;
    const int longChain = 1000;
    for (int i = 0; i < longChain; ++i) {
        tooDeep.add("S" + std::to_string(i), "::S" + std::to_string(i + 1) + "::");
    }
    tooDeep.add("S" + std::to_string(longChain), "end");
    EXPECT_EQ(tooDeep.get("S0"), "");
    EXPECT_EQ(tooDeep.get("S990"), "end");
}

TEST_F(ConfigDir, FilesThatIncludeThemselvesAreLoadedOnce) {
    write("self.cfg", "<INCLUDE_ME==self.cfg\nCOUNT==::COUNT::x\n");
    write("a.cfg", "<INCLUDE_B==b.cfg\nFROM_A==1\n");
    write("b.cfg", "<INCLUDE_C==c.cfg\nFROM_B==1\n");
    write("c.cfg", "<INCLUDE_A==a.cfg\nFROM_C==1\n");
    write("m.cfg", "M==1\n");
    write("m.cfg.MOD", "<INCLUDE_BACK==m.cfg\nMOD==1\n");

    CFG::Info self;
    EXPECT_TRUE(self.addConfig("self.cfg"));
    EXPECT_EQ(self.get("COUNT"), "x");

    CFG::Info ring;
    EXPECT_TRUE(ring.addConfig("a.cfg"));
    EXPECT_EQ(ring.get("FROM_A") + ring.get("FROM_B") + ring.get("FROM_C"), "111");

    CFG::Info companion;
    EXPECT_TRUE(companion.addConfig("m.cfg"));
    EXPECT_EQ(companion.get("MOD"), "1");

    // Loading the same file again later, not from inside itself, still works.
    write("a.cfg", "FROM_A==2\n");
    EXPECT_TRUE(ring.addConfig("a.cfg"));
    EXPECT_EQ(ring.get("FROM_A"), "2");
}

TEST_F(ConfigDir, DeepIncludeChainsLoadUpToTheLimit) {
    const int files = 40;
    for (int i = 0; i < files; ++i) {
        write("f" + std::to_string(i) + ".cfg",
              "<INCLUDE==f" + std::to_string(i + 1) + ".cfg\nF" + std::to_string(i) + "==1\n");
    }
    CFG::Info info;
    EXPECT_TRUE(info.addConfig("f0.cfg"));
    EXPECT_EQ(info.get("F10"), "1");
    EXPECT_EQ(info.get("F30"), "1");
    EXPECT_EQ(info.get("F39"), "");
}

TEST_F(ConfigDir, LoadAndReplaceCfgSubstitutesKeysIntoAWholeFile) {
    CFG::Info info;
    info.add("SIZE", "16");
    write("shader.glsl", "uniform float s = ::SIZE::.0;\n::NOT A KEY::\n");
    std::string output = "old";
    EXPECT_TRUE(Files::TextFile::loadAndReplaceCfg(info, "shader.glsl", output, "\n"));
    EXPECT_EQ(output, "uniform float s = 16.0;\n::NOT A KEY::\n\n");
    EXPECT_FALSE(Files::TextFile::loadAndReplaceCfg(info, "missing.glsl", output, "\n"));
    EXPECT_EQ(output, "uniform float s = 16.0;\n::NOT A KEY::\n\n");
}

}  // namespace
