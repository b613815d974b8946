#pragma once

#include "MatSys/TextureOptions.h"

namespace MatSys {

// One texture object. update(), getImage() and setOptions() act on the texture bound to
// the texture's target: bind it first with beginUsing().
class I_Texture {
public:
    virtual ~I_Texture() {}

    // The OpenGL texture name (0 when none).
    virtual const unsigned& getID() const = 0;
    // Width, height and depth in pixels; depth 0 or 1 for a 2D texture.
    virtual void getSize(int& width, int& height, int& depth) const = 0;
    // Makes the unit (0 for the first) active, binds the texture there and enables it.
    virtual void beginUsing(int unit) const = 0;
    // Disables the texture's target on the unit and makes unit 0 active again; the
    // texture stays bound.
    virtual void endUsing(int unit) const = 0;
    // Replaces the rectangle x, y, width, height of level 0 of a 2D texture with pixels,
    // given as RGBA (rgba true) or RGB; alpha textures take one byte per pixel.
    virtual void update(unsigned char* pixels, int x, int y, int width, int height, bool rgba) = 0;
    virtual const TextureOptions& getOptions() const = 0;
    // Stores the options and sets both filters by their linear flag.
    virtual void setOptions(const TextureOptions& options) = 0;
    // The bytes getImage() writes: width x height x depth (1 when 0) x 4 (rgba) or 3.
    virtual unsigned getImageSize(bool rgba) const = 0;
    // Reads level 0 into dest as unsigned bytes, RGBA or RGB, rows packed without padding.
    virtual void getImage(unsigned char* dest, bool rgba) const = 0;
};

}  // namespace MatSys
