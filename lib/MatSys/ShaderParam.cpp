#include "MatSys/ShaderParam.h"

#include <utility>
#include <vector>

#include "Util/NumberConversion.h"
#include "Util/Strings.h"

namespace MatSys {

namespace {

constexpr int kDecimal = 10;
constexpr int kHexadecimal = 16;
constexpr char kValueSeparator = ',';

// The value pieces as Util::splitString gives them (split at ",", trimmed, empty pieces
// dropped), or false as soon as there are more than `most`: a value text of millions
// of pieces is never split whole only to be refused.
bool splitAtMost(const std::string& text, size_t most, std::vector<std::string>& pieces) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(kValueSeparator, start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string piece = Util::trim(text.substr(start, end - start));
        if (!piece.empty()) {
            if (pieces.size() == most) {
                return false;
            }
            pieces.push_back(std::move(piece));
        }
        start = end + 1;
    }
    return true;
}

}  // namespace

ShaderParam::ShaderParam() : Util::NamedObject(kUnnamed), values(), count(0) {}

ShaderParam::ShaderParam(const std::string& paramName, const std::string& typeWord,
                         const std::string& text)
    : Util::NamedObject(paramName), type(typeWord), valueText(text), values(), count(0) {
    parseValues();
}

void ShaderParam::parseValues() {
    std::vector<std::string> pieces;
    if (!splitAtMost(valueText, kSlots, pieces)) {
        return;
    }

    if (isFloatType()) {
        for (size_t i = 0; i < kSlots; ++i)
            values.floats[i] = 0.0f;
        for (size_t i = 0; i < pieces.size(); ++i) {
            values.floats[i] = Util::strToNum<float>(pieces[i], kDecimal);
        }
    } else {
        for (size_t i = 0; i < pieces.size(); ++i) {
            int base = Util::startswith(pieces[i], "0x") ? kHexadecimal : kDecimal;
            values.ints[i] = Util::strToNum<int>(pieces[i], base);
        }
    }

    // Array types: the values must divide into whole elements of N, 1 to 9 of them.
    bool arrayType = !type.empty() && type.back() == 'v' && type[0] >= '1' && type[0] <= '4';
    if (arrayType) {
        size_t perElement = size_t(type[0] - '0');
        size_t elements = pieces.size() / perElement;
        if (pieces.size() % perElement == 0 && elements >= 1 &&
            elements <= size_t(kMaxArrayElements)) {
            count = int(elements);
        }
    }
}

}  // namespace MatSys
