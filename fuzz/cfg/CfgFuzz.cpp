// Feeds arbitrary bytes to the configuration loader as a file, then reads every key
// through get and the first keys through the typed readers as well. Input that begins
// with ';' is loaded as an INI file, anything else as a native configuration file.
// Fatal reports (unknown operators, wrong counts) are turned into exceptions by the
// report hook so that one input does not end the run. Each input runs with a private
// temporary directory as the working directory, where include keys naming the input
// itself find it; the previous working directory is restored afterwards, since the
// fuzzer resolves its own paths against it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <system_error>
#include <vector>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"
#include "Util/Debug.h"
#include "Util/FatalReport.h"

namespace {

class FatalReported : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void throwReport(const std::string& message) {
    throw FatalReported(message);
}

// Swallows the report text.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

std::string l_directory;

void removeDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(l_directory, ignored);
}

// The private directory, created on the first call and removed at exit.
const std::string& setUpOnce() {
    std::string& directory = l_directory;
    if (!directory.empty()) {
        return directory;
    }
    static NullBuffer nullBuffer;
    static std::ostream nullStream(&nullBuffer);
    Util::Singleton<Util::Debug>::instance().setErrorStream(&nullStream);
    Util::setFatalReportHook(throwReport);
    char pattern[] = "/tmp/quorlith-cfg-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::abort();
    }
    directory = pattern;
    std::atexit(removeDirectory);
    return directory;
}

// Makes directory the working directory while in scope.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& directory) {
        if (!getcwd(previous, sizeof previous) || chdir(directory.c_str()) != 0) {
            std::abort();
        }
    }
    ~WorkingDirectory() {
        if (chdir(previous) != 0) {
            std::abort();
        }
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    char previous[4096];
};

template <class Read>
void readCatching(Read read) {
    try {
        read();
    } catch (const std::domain_error&) {
    } catch (const FatalReported&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WorkingDirectory inPrivateDirectory(setUpOnce());
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string fileName = (!text.empty() && text[0] == ';') ? "fuzz.ini" : "fuzz.cfg";
    {
        std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
        out << text;
    }

    CFG::Info overrides;
    overrides.add("OVERRIDDEN", "from overrides");
    CFG::Info config(&overrides);
    readCatching([&] { config.addConfig(fileName); });

    CFG::InfoParser parser(&config);
    std::vector<std::string> keys;
    config.keys(keys);
    // Every key through get; the typed readers (each a get of its own) only for the
    // first keys, which keeps inputs with many self-referring keys fast to run.
    const size_t kTypedReads = 8;
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string& key = keys[i];
        readCatching([&] { config.get(key); });
        if (i < kTypedReads) {
            readCatching([&] { parser.getNumber<int>(key); });
            readCatching([&] { parser.getBool(key); });
            readCatching([&] { parser.getPoint<float>(key); });
        }
    }
    return 0;
}
