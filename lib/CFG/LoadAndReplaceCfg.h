#pragma once

#include <string>

namespace CFG {
class Info;
}

namespace Files::TextFile {

// Loads fileName as load() does and, when that succeeds, replaces output (assignment,
// not append) with the text after "::KEY::" substitution by config. Returns the result
// of the load; output is untouched on failure.
bool loadAndReplaceCfg(const CFG::Info& config, const std::string& fileName, std::string& output,
                       const std::string& lineEnding = "\n");

}  // namespace Files::TextFile
