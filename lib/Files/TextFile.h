#pragma once

#include <string>

// Whole-file text reading. Other modules add functions to this namespace
// (the configuration system adds loadAndReplaceCfg).
namespace Files::TextFile {

// The file's length in bytes; 0 when it cannot be opened or is not a regular file.
size_t size(const std::string& fileName);

// Appends the file to output line by line, each non-empty line followed by
// lineEnding and each empty line by "\n"; the read that meets the end of the file
// adds one more empty line, so the result ends with an extra "\n". False, with
// output untouched, when the file is missing, unreadable or empty.
bool load(const std::string& fileName, std::string& output, const std::string& lineEnding = "\n");

}  // namespace Files::TextFile
