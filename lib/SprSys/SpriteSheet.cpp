#include "SprSys/SpriteSheet.h"

#include <cstdint>

#include "MatSys/I_Texture.h"
#include "Util/FatalReport.h"

namespace SprSys {

SpriteSheet::SpriteSheet(MatSys::I_Texture* sheetTexture, int frameWidth, int frameHeight,
                         int spacing, bool adjustTexCoords)
    : texture(sheetTexture) {
    initGridSheet(frameWidth, frameHeight, spacing, adjustTexCoords);
}

SpriteSheet::~SpriteSheet() = default;

void SpriteSheet::initGridSheet(int frameWidth, int frameHeight, int spacing,
                                bool adjustTexCoords) {
    if (!texture) {
        return;  // nothing to cut: the sheet stays without frames
    }
    // Steps in 64 bits: a frame size and a spacing near the int limits must not wrap.
    const int64_t stepX = int64_t(frameWidth) + spacing;
    const int64_t stepY = int64_t(frameHeight) + spacing;
    if (frameWidth < 1 || frameHeight < 1 || stepX < 1 || stepY < 1) {
        QUORLITH_FATAL("Cannot cut a sprite sheet into frames of "
                       << frameWidth << "x" << frameHeight << " texels with spacing " << spacing);
    }

    int width = 0;
    int height = 0;
    int depth = 0;
    texture->getSize(width, height, depth);
    if (width < 1 || height < 1) {
        return;
    }
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);

    // Half a texel inwards when frames touch, outwards into the gaps when they do not.
    float ds = 0.0f;
    float dt = 0.0f;
    if (adjustTexCoords) {
        ds = (spacing != 0 ? 0.5f : -0.5f) / w;
        dt = (spacing != 0 ? 0.5f : -0.5f) / h;
    }

    for (int64_t y = 0; y <= height - stepY; y += stepY) {
        for (int64_t x = 0; x <= width - stepX; x += stepX) {
            if (getFrameCount() >= kMaxFrames) {
                return;  // the documented clamp: later frames are not cut
            }
            appendFrame(float(x) / w, float(y) / h, frameWidth / w, frameHeight / h, ds, dt);
            sizes.emplace_back(frameWidth, frameHeight);
        }
    }
}

// The frame at (s, t) of size (sizeS, sizeT) in texture units, with the half-texel adjustment,
// in its four mirror variants.
void SpriteSheet::appendFrame(float s, float t, float sizeS, float sizeT, float ds, float dt) {
    const float s0 = s - ds;
    const float s1 = s + sizeS + ds;
    const float t0 = t - dt;
    const float t1 = t + sizeT + dt;
    boxes[AnimFrame::N].push_back({s0, t0, s1, t1});
    boxes[AnimFrame::H].push_back({s0, t1, s1, t0});
    boxes[AnimFrame::V].push_back({s1, t0, s0, t1});
    boxes[AnimFrame::HV].push_back({s1, t1, s0, t0});
}

SpriteBox SpriteSheet::getSpriteBox(int frame, AnimFrame::Orientation orientation) const {
    const int variant = static_cast<int>(orientation);
    if (!hasFrame(frame) || variant < 0 || variant >= kOrientations) {
        return SpriteBox();
    }
    return boxes[variant][frame];
}

int SpriteSheet::getFrameWidth(int frame) const {
    return hasFrame(frame) ? sizes[frame].first : 0;
}

int SpriteSheet::getFrameHeight(int frame) const {
    return hasFrame(frame) ? sizes[frame].second : 0;
}

void SpriteSheet::beginUsing(int textureUnit) const {
    if (texture) {
        texture->beginUsing(textureUnit);
    }
}

void SpriteSheet::endUsing(int textureUnit) const {
    if (texture) {
        texture->endUsing(textureUnit);
    }
}

}  // namespace SprSys
