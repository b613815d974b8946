#pragma once

namespace Util {

// A colour as four unsigned bytes. OpenGL calls that take floats get each
// component divided by 255.
struct RGBA {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    unsigned char a = 0;
};

inline bool operator==(const RGBA& left, const RGBA& right) {
    return left.r == right.r && left.g == right.g && left.b == right.b && left.a == right.a;
}

inline bool operator!=(const RGBA& left, const RGBA& right) {
    return !(left == right);
}

}  // namespace Util
