#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace CFG {

// The quote rules shared by configuration files and INI files.

// True when value starts with a double quote and is either a lone double quote or
// does not end with one: the value continues on the following raw lines.
bool opensQuote(const std::string& value);

// Extends value, which opensQuote, over lines[line + 1], lines[line + 2], ... until it
// ends with a double quote. Each join: a trailing backslash is removed and nothing
// inserted, except that a value then ending in backslash and "n" has those two replaced
// by a line feed; without a trailing backslash a line feed is inserted. The next line
// is appended with its trailing whitespace removed. line is left on the last line
// consumed. False when the lines run out first (value is then incomplete).
bool continueQuotedValue(std::string& value, const std::vector<std::string>& lines, size_t& line);

// value without every leading and every trailing double-quote character.
std::string stripQuotes(std::string value);

}  // namespace CFG
