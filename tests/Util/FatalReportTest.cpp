#include <gtest/gtest.h>

#include <stdexcept>

#include "Util/FatalReport.h"

namespace {

void reportFromHere(int value) {
    QUORLITH_FATAL("Unknown operator: " << value << "x");
}

[[noreturn]] void throwInstead(const std::string& message) {
    throw std::runtime_error(message);
}

}  // namespace

TEST(FatalReportDeathTest, WritesFunctionFileLineThenMessageAndAborts) {
    EXPECT_DEATH(reportFromHere(7),
                 "ABORT: Func:void \\{anonymous\\}::reportFromHere\\(int\\) "
                 "File:tests/Util/FatalReportTest.cpp Line: [0-9]+\n"
                 "ABORT: Unknown operator: 7x\n");
}

TEST(FatalReport, HookReplacesTheAbort) {
    Util::setFatalReportHook(throwInstead);
    try {
        reportFromHere(3);
        FAIL() << "the report returned";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Unknown operator: 3x");
    }
    Util::setFatalReportHook(nullptr);
}
