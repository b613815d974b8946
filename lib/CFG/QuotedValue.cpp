#include "CFG/QuotedValue.h"

#include "Util/Strings.h"

namespace CFG {

namespace {

const char kQuote = '"';

std::string trimRight(const std::string& text) {
    size_t end = text.find_last_not_of(Util::WHITESPACE);
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

void joinLineBreak(std::string& value) {
    if (Util::endswith(value, "\\")) {
        value.pop_back();
        if (Util::endswith(value, "\\n")) {
            value.resize(value.size() - 2);
            value += '\n';
        }
    } else {
        value += '\n';
    }
}

}  // namespace

bool opensQuote(const std::string& value) {
    return !value.empty() && value.front() == kQuote &&
           (value.size() == 1 || value.back() != kQuote);
}

bool continueQuotedValue(std::string& value, const std::vector<std::string>& lines, size_t& line) {
    do {
        if (line + 1 >= lines.size()) {
            return false;
        }
        ++line;
        joinLineBreak(value);
        value += trimRight(lines[line]);
    } while (value.back() != kQuote);
    return true;
}

std::string stripQuotes(std::string value) {
    if (value.empty() || (value.front() != kQuote && value.back() != kQuote)) {
        return value;
    }
    size_t begin = value.find_first_not_of(kQuote);
    if (begin == std::string::npos) {
        return std::string();
    }
    size_t end = value.find_last_not_of(kQuote);
    return value.substr(begin, end - begin + 1);
}

}  // namespace CFG
