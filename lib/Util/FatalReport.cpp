#include "Util/FatalReport.h"

#include <cstdlib>
#include <ostream>

#include "Util/Debug.h"

namespace Util {

namespace {
FatalReportHook l_hook = nullptr;
}

void setFatalReportHook(FatalReportHook hook) {
    l_hook = hook;
}

void fatalReport(const char* function, const char* file, int line, const std::string& message) {
    std::ostream& err = Singleton<Debug>::instance().err();
    err << "ABORT: Func:" << function << " File:" << file << " Line: " << line << std::endl;
    err << "ABORT: " << message << std::endl;
    if (l_hook) {
        l_hook(message);
    }
    std::abort();
}

}  // namespace Util
