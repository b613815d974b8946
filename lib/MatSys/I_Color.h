#pragma once

#include "Util/RGBA.h"

namespace MatSys {

// One colour of four unsigned bytes.
class I_Color {
public:
    virtual ~I_Color() {}
    virtual Util::RGBA& RGBA() = 0;
    virtual const Util::RGBA& RGBA() const = 0;
    // Makes the colour the current drawing colour.
    virtual void use() const = 0;
};

// Makes colours; the caller owns them.
class I_ColorMaker {
public:
    virtual ~I_ColorMaker() {}
    // A colour of 0, 0, 0, 0.
    virtual I_Color* create() = 0;
    virtual I_Color* create(const Util::RGBA& color) = 0;
};

}  // namespace MatSys
