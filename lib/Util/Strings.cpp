#include "Util/Strings.h"

namespace Util {

const char* const WHITESPACE = " \t\n\r";

namespace {

void appendPiece(const std::string& piece, std::vector<std::string>& parts, bool keepEmpty,
                 bool trimPieces) {
    if (!trimPieces) {
        parts.push_back(piece);
        return;
    }
    std::string trimmed = trim(piece);
    if (!trimmed.empty() || keepEmpty) {
        parts.push_back(trimmed);
    }
}

}  // namespace

size_t splitString(const std::string& text, const std::string& separator,
                   std::vector<std::string>& parts, bool keepEmpty, bool trimPieces) {
    if (separator.empty() || text.find(separator) == std::string::npos) {
        if (!text.empty() || keepEmpty) {
            appendPiece(text, parts, keepEmpty, trimPieces);
        }
        return parts.size();
    }
    size_t position = 0;
    while (true) {
        size_t found = text.find(separator, position);
        if (found == std::string::npos) {
            appendPiece(text.substr(position), parts, keepEmpty, trimPieces);
            break;
        }
        if (found != position || keepEmpty) {
            appendPiece(text.substr(position, found - position), parts, keepEmpty, trimPieces);
        }
        position = found + separator.size();
        if (position >= text.size()) {
            if (keepEmpty) {
                parts.emplace_back();
            }
            break;
        }
    }
    return parts.size();
}

std::string trim(const std::string& text, const std::string& set) {
    size_t begin = text.find_first_not_of(set);
    if (begin == std::string::npos) {
        return std::string();
    }
    size_t end = text.find_last_not_of(set);
    return text.substr(begin, end - begin + 1);
}

bool startswith(const std::string& text, const std::string& prefix) {
    return prefix.size() <= text.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool endswith(const std::string& text, const std::string& suffix) {
    return suffix.size() <= text.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace Util
