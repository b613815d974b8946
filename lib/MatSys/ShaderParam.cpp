#include "MatSys/ShaderParam.h"

#include <vector>

#include "Util/NumberConversion.h"
#include "Util/Strings.h"

namespace MatSys {

namespace {

constexpr int kDecimal = 10;
constexpr int kHexadecimal = 16;

}  // namespace

ShaderParam::ShaderParam() : Util::NamedObject(kUnnamed), values(), count(0) {}

ShaderParam::ShaderParam(const std::string& paramName, const std::string& typeWord,
                         const std::string& text)
    : Util::NamedObject(paramName), type(typeWord), valueText(text), values(), count(0) {
    parseValues();
}

void ShaderParam::parseValues() {
    std::vector<std::string> pieces;
    Util::splitString(valueText, ",", pieces, false, true);
    if (pieces.size() > kSlots) {
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
