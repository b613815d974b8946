#pragma once

#include "MatSys/I_Color.h"

namespace MatSys::OGL {

// A colour that use() makes current with glColor4ub.
class Color : public I_Color {
public:
    Color() = default;  // 0, 0, 0, 0
    explicit Color(const Util::RGBA& rgba) : color(rgba) {}

    Util::RGBA& RGBA() override { return color; }
    const Util::RGBA& RGBA() const override { return color; }
    void use() const override;

private:
    Util::RGBA color;
};

// Makes MatSys::OGL::Color objects.
class ColorMaker : public I_ColorMaker {
public:
    I_Color* create() override { return new Color(); }
    I_Color* create(const Util::RGBA& rgba) override { return new Color(rgba); }
};

}  // namespace MatSys::OGL
