#pragma once

#include <sstream>
#include <string>

namespace Util {

// Writes the two-line fatal-error report to Debug's error stream, flushing after
// each line, and ends the process through std::abort:
//   ABORT: Func:<signature> File:<source path> Line: <line>
//   ABORT: <message>
// Every unusable configuration or resource in the engine ends here.
[[noreturn]] void fatalReport(const char* function, const char* file, int line,
                              const std::string& message);

// A hook that replaces the final abort, for fuzz targets and tests that must survive
// a report: it receives the message and is expected to throw. If it returns, the
// process aborts all the same. The game never installs one. Null removes it.
using FatalReportHook = void (*)(const std::string& message);
void setFatalReportHook(FatalReportHook hook);

}  // namespace Util

// QUORLITH_FATAL("Unknown operator: " << op) builds the message with stream syntax
// and reports it with the calling function's full signature, file and line.
#define QUORLITH_FATAL(pieces)                                                                     \
    do {                                                                                           \
        std::ostringstream quorlithFatalMessage_;                                                  \
        quorlithFatalMessage_ << pieces;                                                           \
        ::Util::fatalReport(__PRETTY_FUNCTION__, __FILE__, __LINE__, quorlithFatalMessage_.str()); \
    } while (false)
