#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "Util/NamedObject.h"

namespace MatSys {

// One named, typed uniform value, parsed once from its text ('tint : 4f : 1, 0.5, 0.5, 1')
// into numbers ready for the OpenGL uniform call. A value type, copied freely.
//
// Type words: "1f".."4f" and "1i".."4i" (that many values), "1fv".."4fv" and
// "1iv".."4iv" (arrays: getCount() elements of N values), "sampler1D/2D/3D" (an integer,
// the texture unit). The second character "f" makes the slots floats, anything else
// integers. Other type words are kept; the shader program refuses to bind them.
class ShaderParam : public Util::NamedObject {
public:
    static constexpr size_t kSlots = 36;
    static constexpr int kMaxArrayElements = 9;
    static constexpr const char* kUnnamed = "UNNAMED_SHADER_PARAM";

    // The 'not found' parameter: named kUnnamed, empty type and text, all slots zero.
    ShaderParam();
    // Parses valueText, split at ",", into the slots. More than kSlots values leave every
    // slot zero. A value that is not a number throws std::domain_error (the conversion's
    // "Cant convert String to Num:" message).
    ShaderParam(const std::string& name, const std::string& type, const std::string& valueText);

    const std::string& getType() const { return type; }
    const std::string& getValueText() const { return valueText; }
    // Array elements for the "Nfv"/"Niv" types when the values divide evenly into 1 to 9
    // elements; 0 otherwise and for every other type.
    int getCount() const { return count; }

    bool isFloatType() const { return type.size() >= 2 && type[1] == 'f'; }
    // The slots as floats (float types) or as 32-bit integers (every other type).
    const float* getFloats() const { return values.floats; }
    const int32_t* getInts() const { return values.ints; }

private:
    void parseValues();

    std::string type;
    std::string valueText;
    // The type decides which member is written and read.
    union Slots {
        float floats[kSlots];
        int32_t ints[kSlots];
    } values;
    int count;
};

}  // namespace MatSys
