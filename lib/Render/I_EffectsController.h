#pragma once

#include "Util/RGBA.h"

namespace Render {

// Render states: clearing, colour, culling, blending, depth, masks, alpha test,
// fog and stencil clipping. States persist until changed.
class I_EffectsController {
public:
    virtual ~I_EffectsController() {}

    // Clears the colour and depth buffers (not the stencil) to the colour.
    virtual void doClear(const Util::RGBA& color) = 0;
    // The current vertex colour.
    virtual void setColor(const Util::RGBA& color) = 0;
    virtual void setCulling(bool on) = 0;
    // On: alpha blending (source alpha, one minus source alpha) and alpha test.
    virtual void setBlending(bool on) = 0;
    virtual void setDepthTest(bool on) = 0;
    // Whether depth values are written.
    virtual void setDepthMask(bool on) = 0;
    virtual void setColorMask(bool on) = 0;
    virtual void setColorMask(bool red, bool green, bool blue, bool alpha) = 0;
    virtual void setAlphaTest(bool on) = 0;
    // Alpha test passes when alpha is greater (greater true) or less than ref.
    virtual void setAlphaFunc(float ref, bool greater) = 0;
    virtual void setFog(bool on) = 0;
    // Linear fog from start to end, both in percent of the view data's maxZ.
    virtual void setFogParams(float start, float end, const Util::RGBA& color) = 0;
    // Between beginClipDraw and endClipDraw drawing reaches only the stencil
    // buffer: each shape adds one to the count of the pixels it covers.
    // clear empties the stencil buffer first.
    virtual void beginClipDraw(bool clear) = 0;
    virtual void endClipDraw() = 0;
    // Limits drawing to pixels whose clip count equals level (level >= 0), or
    // differs from ~level (level < 0: -1 is 'covered by any shape'). Off lifts
    // the limit.
    virtual void setClipping(bool on, int level) = 0;
};

}  // namespace Render
