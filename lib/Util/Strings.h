#pragma once

#include <string>
#include <vector>

namespace Util {

// Space, tab, line feed and carriage return: the default set of trim() and the set
// that splitString() and the configuration parser trim with.
extern const char* const WHITESPACE;

// Appends the pieces of text between occurrences of separator (matched as a whole
// string) to parts; never clears parts. With trim, each piece is trimmed and a piece
// left empty is dropped unless keepEmpty. An empty separator never matches, so the
// whole text is one piece. Returns parts.size() after the call.
size_t splitString(const std::string& text, const std::string& separator,
                   std::vector<std::string>& parts, bool keepEmpty, bool trim);

// text without its leading and trailing characters from the set; inner ones stay.
std::string trim(const std::string& text, const std::string& set = WHITESPACE);

// Byte-wise prefix and suffix tests; an empty prefix or suffix matches every text.
bool startswith(const std::string& text, const std::string& prefix);
bool endswith(const std::string& text, const std::string& suffix);

}  // namespace Util
