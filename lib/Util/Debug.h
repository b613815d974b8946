#pragma once

#include <iosfwd>

#include "Util/Singleton.h"

namespace Util {

// The process-wide diagnostic object, reached through Singleton<Debug>::instance().
// It refers to the standard output and error streams; the fatal-error report is
// written to the error stream.
class Debug : public Singleton<Debug> {
public:
    std::ostream& out() const { return *outStream; }
    std::ostream& err() const { return *errStream; }

    // Redirects the error stream (tests and fuzz targets only). Null restores std::cerr.
    void setErrorStream(std::ostream* stream);

private:
    friend class Singleton<Debug>;
    Debug();

    std::ostream* outStream;  // not owned
    std::ostream* errStream;  // not owned
};

}  // namespace Util
