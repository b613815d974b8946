#include "fuzz/support/FuzzSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <streambuf>
#include <system_error>

#include "Util/Debug.h"
#include "Util/FatalReport.h"

namespace FuzzSupport {

namespace {

// Swallows the report text.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

std::string l_directory;

[[noreturn]] void throwReport(const std::string& message) {
    throw FatalReported(message);
}

void removeDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(l_directory, ignored);
}

void silenceReports() {
    static NullBuffer nullBuffer;
    static std::ostream nullStream(&nullBuffer);
    Util::Singleton<Util::Debug>::instance().setErrorStream(&nullStream);
    Util::setFatalReportHook(throwReport);
}

}  // namespace

const std::string& privateDirectory(const char* target) {
    if (!l_directory.empty()) {
        return l_directory;
    }
    std::string pattern = std::string("/tmp/quorlith-") + target + "-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::abort();
    }
    l_directory = pattern;
    std::atexit(removeDirectory);
    return l_directory;
}

const std::string& setUpOnce(const char* target) {
    if (l_directory.empty()) {
        silenceReports();
    }
    return privateDirectory(target);
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

WorkingDirectory::WorkingDirectory(const std::string& directory) {
    if (!getcwd(previous, sizeof previous) || chdir(directory.c_str()) != 0) {
        std::abort();
    }
}

WorkingDirectory::~WorkingDirectory() {
    if (chdir(previous) != 0) {
        std::abort();
    }
}

void writeFile(const std::string& name, const char* data, size_t size) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(data, std::streamsize(size));
}

}  // namespace FuzzSupport
