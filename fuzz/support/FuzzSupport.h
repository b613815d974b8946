#pragma once

// What the fuzz targets share: fatal reports that end one input instead of the run,
// report text kept off the output, a private working directory and a file writer.

#include <cstddef>
#include <stdexcept>
#include <string>

namespace FuzzSupport {

// Thrown, with the report's message, by the fatal-report hook that setUpOnce installs.
class FatalReported : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The private directory "/tmp/quorlith-<target>-fuzz-XXXXXX", made on the first call
// and removed with everything in it at exit; every call returns it. Aborts when it
// cannot be made.
const std::string& privateDirectory(const char* target);

// The private directory, and on the first call also: the debug error stream swallowed
// and fatal reports made to throw FatalReported.
const std::string& setUpOnce(const char* target);

// Aborts when condition is false: the fuzzer reports a broken promise as a finding.
void check(bool condition);

// Runs work and survives the intended endings of hostile input: a fatal report and a
// number that cannot be read (std::domain_error, by design). Anything else propagates.
template <class Work>
void surviveIntendedEndings(Work work) {
    try {
        work();
    } catch (const FatalReported&) {
    } catch (const std::domain_error&) {
    }
}

// Makes directory the working directory while in scope, so that files named by the
// input resolve there; the fuzzer resolves its own paths against the previous one,
// which is restored afterwards. Aborts when either change fails.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& directory);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    static constexpr size_t kMaxPath = 4096;
    char previous[kMaxPath];
};

// Writes size bytes of data to the file name, replacing what it held.
void writeFile(const std::string& name, const char* data, size_t size);

}  // namespace FuzzSupport
