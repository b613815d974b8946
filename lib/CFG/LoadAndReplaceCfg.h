#pragma once

#include <cstddef>
#include <string>

namespace CFG {
class Info;
}

namespace Files::TextFile {

// Loads fileName as load() does and, when that succeeds, replaces output (assignment,
// not append) with the text after "::KEY::" substitution by config. Returns the result
// of the load; output is untouched on failure. A file larger than kMaxReplacedFileBytes
// ends the process through the fatal report.
constexpr size_t kMaxReplacedFileBytes = size_t(16) << 20;

bool loadAndReplaceCfg(const CFG::Info& config, const std::string& fileName, std::string& output,
                       const std::string& lineEnding = "\n");

}  // namespace Files::TextFile
