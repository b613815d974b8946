#include "support/FatalMessage.h"

#include "Util/FatalReport.h"

namespace TestSupport {

namespace {

struct Reported {
    std::string message;
};

[[noreturn]] void throwReport(const std::string& message) {
    throw Reported{message};
}

}  // namespace

std::string fatalMessageOf(const std::function<void()>& work) {
    Util::setFatalReportHook(throwReport);
    std::string message;
    try {
        work();
    } catch (const Reported& reported) {
        message = reported.message;
    }
    Util::setFatalReportHook(nullptr);
    return message;
}

}  // namespace TestSupport
