// Hostile configuration input: every size, count and loop has a bound, and input
// beyond it gets the documented outcome, never a hang or an exhausted memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"
#include "CFG/LoadAndReplaceCfg.h"
#include "support/ConfigDir.h"

namespace {

using TestSupport::ConfigDir;

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

// A file is known by what it is, so a file naming itself under any spelling is loaded
// once; a file named twice is read twice, in order, and the reads of one load are
// bounded in number and bytes.
TEST_F(ConfigDir, IncludesKnowFilesByIdentityAndBoundTheWorkOfOneLoad) {
    std::filesystem::create_directory("sub");
    std::filesystem::create_symlink("self.cfg", "link.cfg");
    write("self.cfg",
          "<INCLUDE_1==./self.cfg\n<INCLUDE_2==././self.cfg\n"
          "<INCLUDE_3==sub/../self.cfg\n<INCLUDE_4==link.cfg\nSELF==1\n");
    CFG::Info self;
    EXPECT_TRUE(self.addConfig("link.cfg"));
    EXPECT_EQ(self.get("SELF"), "1");

    write("order.cfg", "<INCLUDE_1==b.cfg\n<INCLUDE_2==c.cfg\n<INCLUDE_3==./b.cfg\n");
    write("b.cfg", "X==b\n");
    write("c.cfg", "X==c\n");
    CFG::Info order;
    EXPECT_TRUE(order.addConfig("order.cfg"));
    EXPECT_EQ(order.get("X"), "b");

    // Each file includes the next twice (under keys of its own): 2^20 reads.
    const int levels = 20;
    for (int i = 0; i < levels; ++i) {
        const std::string n = std::to_string(i);
        const std::string next = "d" + std::to_string(i + 1) + ".cfg";
        write("d" + n + ".cfg",
              "<INCLUDE_A" + n + "==" + next + "\n<INCLUDE_B" + n + "==" + next + "\n");
    }
    write("d" + std::to_string(levels) + ".cfg", "END==1\n");
    CFG::Info diamond;
    EXPECT_DEATH(
        diamond.addConfig("d0.cfg"),
        "ABORT: Loading d0.cfg reads more than 1024 configuration files \\(at d.*\\.cfg\\)\n");

    write("mega.cfg", "BIG==" + std::string(1 << 20, 'x') + "\n");
    std::string manyIncludes;
    for (int i = 0; i < 20; ++i) {
        manyIncludes += "<INCLUDE_" + std::to_string(i) + "==mega.cfg\n";
    }
    write("many.cfg", manyIncludes);
    CFG::Info many;
    EXPECT_DEATH(many.addConfig("many.cfg"),
                 "ABORT: Loading many.cfg reads more than 16777216 bytes of configuration files "
                 "\\(at mega.cfg\\)\n");
}

// Substitution brings at most 1 MiB of referenced values into one value or text.
TEST(SubstitutionSize, IsBoundedPerValueAndText) {
    CFG::Info info;
    info.add("BIG", std::string(1 << 16, 'x'));
    info.add("FULL", repeated("::BIG::", 16));
    info.add("BOMB", repeated("::BIG::", 17));
    info.add("HALF", repeated("::BIG::", 10));
    info.add("NESTED", "::HALF::::HALF::");
    EXPECT_EQ(info.get("FULL").size(), size_t(1) << 20);
    EXPECT_EQ(info.get("HALF").size(), size_t(10) << 16);
    const std::pair<std::function<void()>, const char*> bombs[] = {
        {[&] { info.get("BOMB"); }, "the value of BOMB"},
        {[&] { info.get("NESTED"); }, "the value of NESTED"},
        {[&] { info.replaceKeys(repeated("::BIG::", 17)); }, "a text"},
    };
    for (const auto& [substitute, what] : bombs) {
        EXPECT_DEATH(substitute(), std::string("ABORT: Substitution into ") + what +
                                       " brings in more than 1048576 bytes\n")
            << what;
    }
}

// Siblings of the bounds above: an INI section name repeated over many entries, a list
// of more values than any list of the game, and a whole text file of absurd size.
TEST_F(ConfigDir, ConversionListsAndTextFilesAreBounded) {
    CFG::Info info;
    info.add("LIST", repeated("1,", 65535) + "1");
    info.add("HUGE", repeated("1,", 65536) + "1");
    CFG::InfoParser parser(&info);
    std::vector<int> values;
    EXPECT_EQ(parser.getNumbers<int>("LIST", values, ",", false), size_t(65536));

    write("wide.ini", "[" + std::string(1 << 16, 'S') + "]\n" + repeated("k=v\n", 300));
    write("big.glsl", std::string((16 << 20) + 1, 'x'));
    std::string text;
    const std::pair<std::function<void()>, std::string> bombs[] = {
        {[&] { parser.getNumbers<int>("HUGE", values, ",", false); },
         "List HUGE holds more than 65536 values"},
        {[&] { parser.getRange<float>("HUGE"); }, "List HUGE holds more than 65536 values"},
        {[&] { info.addConfig("wide.ini"); },
         "INI file wide.ini converts to more than 16777216 bytes of configuration lines"},
        {[&] { Files::TextFile::loadAndReplaceCfg(info, "big.glsl", text); },
         "Text file big.glsl is larger than 16777216 bytes"},
    };
    for (const auto& [load, message] : bombs) {
        EXPECT_DEATH(load(), "\nABORT: " + message + "\n") << message;
    }
}
