#pragma once

#include <iomanip>
#include <ios>
#include <sstream>
#include <stdexcept>
#include <string>

#include "Util/Strings.h"

namespace Util {

// Reads a T from the start of text with standard stream extraction. base 8, 10 or 16
// sets the stream's integer base; any other base lets an integer text choose its own
// ("0x" hexadecimal, a leading "0" octal, else decimal). Floating-point types ignore
// the base. Leading whitespace is skipped and whatever follows the number is ignored
// ('12px' gives 12). An empty text gives 0.
// Throws std::domain_error("Cant convert String to Num:" + text) when the stream
// cannot read a number (no digits, or a value out of T's range).
template <class T>
T strToNum(const std::string& text, int base) {
    if (text.empty()) {
        return T(0);
    }
    std::istringstream in(text);
    switch (base) {
        case 8:
            in >> std::oct;
            break;
        case 10:
            in >> std::dec;
            break;
        case 16:
            in >> std::hex;
            break;
        default:
            in.unsetf(std::ios::basefield);
            break;
    }
    T value{};
    in >> value;
    if (in.fail()) {
        throw std::domain_error("Cant convert String to Num:" + text);
    }
    return value;
}

// As above with base 16 when the text begins with "0x" and base 10 otherwise.
template <class T>
T strToNum(const std::string& text) {
    return strToNum<T>(text, startswith(text, "0x") ? 16 : 10);
}

// Writes value to text. precision -1 keeps the stream's default notation (general
// form, six significant digits); any other precision gives fixed notation with that
// many digits after the point. Base 16 prefixes "0x" (and writes integers in
// hexadecimal; floating-point numbers are written the same in every base). width pads
// the number on the left with "0" up to that many characters; 0 adds nothing.
template <class T>
std::string numToStr(T value, int base = 10, int width = 0, int precision = -1) {
    std::ostringstream out;
    if (precision != -1) {
        out << std::fixed << std::setprecision(precision);
    }
    if (base == 16) {
        out << "0x" << std::hex;
    } else if (base == 8) {
        out << std::oct;
    }
    out << std::setfill('0') << std::setw(width) << value;
    return out.str();
}

}  // namespace Util
