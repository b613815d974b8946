#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"

namespace {

// Runs quorlith-config with arguments in the test's directory; stdout goes to output,
// stderr to the file "stderr.txt" there.
class ConfigTool : public ::testing::Test {
protected:
    int run(const std::string& arguments) {
        const std::string command =
            "cd '" + dir.path() + "' && '" QUORLITH_CONFIG_TOOL "' " + arguments + " 2>stderr.txt";
        return TestSupport::runCommand(command, output);
    }

    std::string errors() {
        std::string text;
        TestSupport::runCommand("cat '" + dir.file("stderr.txt") + "'", text);
        return text;
    }

    TestSupport::TempDir dir;
    std::string output;
};

TEST_F(ConfigTool, WithoutRequestsListsEveryKeyOfConfigurationAndOverrides) {
    dir.write("quorlith.cfg",
              "WIDTH==640\nHALF==EVAL:(::WIDTH::/2)\nTEXT==\"two\nlines\"\n"
              "MODE==B\nSIZE??MODE\nA==10\nB==20\nMODE\n");
    dir.write("SETTINGS_quorlith.cfg", "WIDTH==800\nEXTRA==1\n");
    EXPECT_EQ(run("MODE==A"), 0);
    EXPECT_EQ(output,
              "EXTRA == 1\n"
              "HALF == 400\n"
              "MODE == A\n"
              "SETTINGS_FILE == ./SETTINGS_quorlith.cfg\n"
              "SIZE == 10\n"
              "TEXT == two\\nlines\n"
              "WIDTH == 800\n");
}

TEST_F(ConfigTool, AnswersRequestsInOrderWithTheGameArguments) {
    dir.write("quorlith.cfg", "W==0x20\nF==EVAL:(1/4)\nFLAG==Y\nR==0.5, 2\nP==1,2,3\n");
    dir.write("SETTINGS_alt.cfg", "NEG==-1\n");
    dir.write("level.cfg", "LEVEL==\"a\nb\"\n");
    EXPECT_EQ(run("SETTINGS_alt.cfg level.cfg --int W --float F --bool FLAG --bool NONE "
                  "--range R --point P --get LEVEL --uint NEG --get X X==5 -v"),
              0);
    EXPECT_EQ(output, "32\n0.25\n1\n0\n0.5, 2\n1, 2, 3\na\\nb\n4294967295\n5\n");
}

TEST_F(ConfigTool, FailsAsTheGameWould) {
    dir.write("quorlith.cfg", "R==1,2,3\nWORD==abc\nOK==1\n");
    EXPECT_NE(run("--get OK --range R --get OK"), 0);
    EXPECT_EQ(output, "1\n");
    EXPECT_NE(errors().find("ABORT: Failed to read Range R Got 3 values\n"), std::string::npos);

    EXPECT_NE(run("--int WORD"), 0);
    EXPECT_NE(errors().find("Cant convert String to Num:abc"), std::string::npos);

    EXPECT_EQ(run("missing.cfg --get OK"), 1);
    EXPECT_EQ(output, "");
}

TEST_F(ConfigTool, HelpAndUsageErrors) {
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(output.find("--range KEY"), std::string::npos);
    EXPECT_EQ(run("--get"), 2);
    EXPECT_EQ(run("--frobnicate"), 2);
    EXPECT_EQ(output, "");
}

}  // namespace
