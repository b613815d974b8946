#include "CFG/INItoCFG.h"

#include <utility>

#include "CFG/Info.h"
#include "CFG/QuotedValue.h"
#include "Util/FatalReport.h"
#include "Util/Strings.h"

namespace CFG {

std::string stringTypePostfix() {
    return ":STR";
}
std::string numberTypePostfix() {
    return ":NUM";
}
std::string sectionKeySeparator() {
    return "::";
}

namespace {

// The text after the first "[", cut at the first "]" when there is one, trimmed.
std::string sectionName(const std::string& line) {
    std::string name = line.substr(1);
    size_t close = name.find(']');
    if (close != std::string::npos) {
        name.resize(close);
    }
    return Util::trim(name);
}

}  // namespace

bool INItoCFG(const std::string& text, std::vector<std::string>& lines, const std::string& source) {
    std::vector<std::string> raw;
    Util::splitString(text, "\n", raw, false, false);

    std::string section;
    size_t convertedBytes = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        std::string line = Util::trim(raw[i]);
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            section = sectionName(line);
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        std::string key = Util::trim(line.substr(0, equals));
        std::string value = Util::trim(line.substr(equals + 1));
        if (opensQuote(value) && !continueQuotedValue(value, raw, i)) {
            return false;
        }
        const std::string postfix =
            Util::startswith(value, "\"") ? stringTypePostfix() : numberTypePostfix();
        std::string converted = section + sectionKeySeparator() + key + postfix +
                                Info::keyValueSeparator() + "\"" + stripQuotes(value) + "\"";
        convertedBytes += converted.size();
        if (convertedBytes > kMaxConvertedBytes) {
            QUORLITH_FATAL(source << " converts to more than " << kMaxConvertedBytes
                                  << " bytes of configuration lines");
        }
        lines.push_back(std::move(converted));
    }
    return true;
}

}  // namespace CFG
