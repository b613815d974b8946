#include "SprSys/SpriteSheet.h"

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
    const int stepX = frameWidth + spacing;
    const int stepY = frameHeight + spacing;
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

    for (int y = 0; y <= height - stepY; y += stepY) {
        for (int x = 0; x <= width - stepX; x += stepX) {
            const float s0 = x / w - ds;
            const float s1 = x / w + frameWidth / w + ds;
            const float t0 = y / h - dt;
            const float t1 = y / h + frameHeight / h + dt;
            boxes[AnimFrame::N].push_back({s0, t0, s1, t1});
            boxes[AnimFrame::H].push_back({s0, t1, s1, t0});
            boxes[AnimFrame::V].push_back({s1, t0, s0, t1});
            boxes[AnimFrame::HV].push_back({s1, t1, s0, t0});
            sizes.emplace_back(frameWidth, frameHeight);
        }
    }
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
