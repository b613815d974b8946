#pragma once

#include <string>
#include <utility>
#include <vector>

#include "CFG/Info.h"
#include "MathStuff/Vector3.h"
#include "Util/FatalReport.h"
#include "Util/NumberConversion.h"
#include "Util/Range.h"
#include "Util/Strings.h"

namespace CFG {

// Reads keys of one configuration and converts their values. Every read goes through
// the configuration's get, so overrides, substitution, expressions and redirections
// apply before the conversion. A value that does not start with a number throws
// std::domain_error ("Cant convert String to Num:" and the text).
class InfoParser {
public:
    // Converts one piece of text into a T.
    template <class T>
    class ObjGettor {
    public:
        virtual T operator()(const std::string& text) const = 0;
        virtual ~ObjGettor() = default;
    };

    // Splits 'first<separator>second' into its two trimmed pieces; any other number of
    // non-empty pieces ends the process through the fatal report.
    class StringPairGettor : public ObjGettor<std::pair<std::string, std::string>> {
    public:
        explicit StringPairGettor(const std::string& separator) : separator(separator) {}

        std::pair<std::string, std::string> operator()(const std::string& text) const override {
            std::vector<std::string> parts;
            Util::splitString(text, separator, parts, false, true);
            if (parts.size() != 2) {
                QUORLITH_FATAL("Invalid string pair part: "
                               << text << ". Expected <str1>:<str2>, 2 parts not " << parts.size());
            }
            return {parts[0], parts[1]};
        }

    private:
        std::string separator;
    };

    // The most values a list may hold (getNumbers, getRange, getPoint): far more than any
    // list of the game uses, and a bound on what a huge value makes the reader allocate.
    static constexpr size_t kMaxListValues = 65536;

    explicit InfoParser(const Info* info) : info(info) {}  // info not owned

    // The value as a number ("0x" selects hexadecimal); 0 for a missing or empty key.
    template <class NumType>
    NumType getNumber(const std::string& key) const {
        return Util::strToNum<NumType>(info->get(key));
    }

    // Splits the value at separator (pieces trimmed, empty ones dropped unless
    // keepEmpty, where they count as 0) and appends each piece as a number to values,
    // which is not cleared. Returns the number of pieces appended.
    template <class NumType>
    size_t getNumbers(const std::string& key, std::vector<NumType>& values,
                      const std::string& separator, bool keepEmpty) const {
        const std::string value = info->get(key);
        if (countOf(value, separator) >= kMaxListValues) {
            QUORLITH_FATAL("List " << key << " holds more than " << kMaxListValues << " values");
        }
        std::vector<std::string> parts;
        Util::splitString(value, separator, parts, keepEmpty, true);
        for (const std::string& part : parts) {
            values.push_back(Util::strToNum<NumType>(part));
        }
        return parts.size();
    }

    // True exactly for the values "YES", "Y" and "1".
    bool getBool(const std::string& key) const {
        const std::string value = info->get(key);
        return value == "YES" || value == "Y" || value == "1";
    }

    // Two comma-separated numbers, in the order written. Any other count (a missing key
    // gives 0) ends the process: "Failed to read Range <key> Got <n> values".
    template <class NumType>
    Util::Range<NumType> getRange(const std::string& key) const {
        std::vector<NumType> values = readList<NumType>(key);
        if (values.size() != 2) {
            QUORLITH_FATAL("Failed to read Range " << key << " Got " << values.size() << " values");
        }
        return Util::Range<NumType>(values[0], values[1]);
    }

    // Three comma-separated numbers (x, y, z). Any other count ends the process:
    // "Failed to read Point <key> Got <n> values".
    template <class NumType>
    MathStuff::Vector3<NumType> getPoint(const std::string& key) const {
        std::vector<NumType> values = readList<NumType>(key);
        if (values.size() != 3) {
            QUORLITH_FATAL("Failed to read Point " << key << " Got " << values.size() << " values");
        }
        return MathStuff::Vector3<NumType>(values[0], values[1], values[2]);
    }

private:
    // Occurrences of separator (not empty) in text, without overlaps.
    static size_t countOf(const std::string& text, const std::string& separator) {
        size_t count = 0;
        if (separator.empty()) {
            return count;
        }
        for (size_t at = text.find(separator); at != std::string::npos;
             at = text.find(separator, at + separator.size())) {
            ++count;
        }
        return count;
    }

    template <class NumType>
    std::vector<NumType> readList(const std::string& key) const {
        std::vector<NumType> values;
        getNumbers<NumType>(key, values, ",", false);
        return values;
    }

    const Info* info;  // not owned
};

}  // namespace CFG
