// Feeds arbitrary bytes to the configuration loader as a file, then reads every key
// through get and the first keys through the typed readers as well. Input that begins
// with ';' is loaded as an INI file, anything else as a native configuration file.
// Fatal reports (unknown operators, wrong counts) are turned into exceptions by the
// report hook so that one input does not end the run. Each input runs with a private
// temporary directory as the working directory, where include keys naming the input
// itself find it; the previous working directory is restored afterwards, since the
// fuzzer resolves its own paths against it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CFG/Info.h"
#include "CFG/InfoParser.h"
#include "fuzz/support/FuzzSupport.h"

using FuzzSupport::surviveIntendedEndings;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::WorkingDirectory inPrivateDirectory(FuzzSupport::setUpOnce("cfg"));
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string fileName = (!text.empty() && text[0] == ';') ? "fuzz.ini" : "fuzz.cfg";
    FuzzSupport::writeFile(fileName, text.data(), text.size());

    CFG::Info overrides;
    overrides.add("OVERRIDDEN", "from overrides");
    CFG::Info config(&overrides);
    surviveIntendedEndings([&] { config.addConfig(fileName); });

    CFG::InfoParser parser(&config);
    std::vector<std::string> keys;
    config.keys(keys);
    // Every key through get; the typed readers (each a get of its own) only for the
    // first keys, which keeps inputs with many self-referring keys fast to run.
    const size_t kTypedReads = 8;
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string& key = keys[i];
        surviveIntendedEndings([&] { config.get(key); });
        if (i < kTypedReads) {
            surviveIntendedEndings([&] { parser.getNumber<int>(key); });
            surviveIntendedEndings([&] { parser.getBool(key); });
            surviveIntendedEndings([&] { parser.getPoint<float>(key); });
        }
    }
    return 0;
}
