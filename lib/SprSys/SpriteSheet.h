#pragma once

#include <utility>
#include <vector>

#include "SprSys/AnimFrame.h"
#include "SprSys/SpriteBox.h"

namespace MatSys {
class I_Texture;
}

namespace SprSys {

// A texture cut into frames, with the texture coordinates of each frame in its four
// mirror variants. The sheet does not own the texture.
class SpriteSheet {
public:
    // 512 x 512 frames: a 4096 x 4096 sheet of 8 x 8 frames; about 19 MiB of boxes.
    static constexpr int kMaxFrames = 512 * 512;

    // A sheet cut as a grid by initGridSheet. A null texture gives a sheet without
    // frames that binds nothing.
    SpriteSheet(MatSys::I_Texture* texture, int frameWidth, int frameHeight, int spacing,
                bool adjustTexCoords);
    virtual ~SpriteSheet();

    // Appends the frames of a grid of frameWidth x frameHeight texels with `spacing`
    // texels between them, row by row from the image's first texel row, taking a frame
    // only when it and the spacing after it fit. With adjustTexCoords the boxes shrink
    // by half a texel when frames touch (spacing 0) and grow by half a texel into the
    // gaps otherwise. A frame size below 1 texel (as from a font file that could not be
    // read) is fatal: such a grid would never end. A sheet holds at most kMaxFrames
    // frames; a grid of more (tiny frames on a large image) is cut at that count.
    void initGridSheet(int frameWidth, int frameHeight, int spacing, bool adjustTexCoords);

    // The frame's box in that variant; an all-zero box for an index the sheet does not have.
    SpriteBox getSpriteBox(int frame, AnimFrame::Orientation orientation) const;
    // The frame's size in texels; 0 for an index the sheet does not have.
    int getFrameWidth(int frame) const;
    int getFrameHeight(int frame) const;
    // Number of frames cut so far.
    int getFrameCount() const { return static_cast<int>(sizes.size()); }

    MatSys::I_Texture* getTexture() const { return texture; }

    // Binds / releases the texture on a texture unit; nothing without a texture.
    void beginUsing(int textureUnit) const;
    void endUsing(int textureUnit) const;

private:
    static constexpr int kOrientations = 4;

    bool hasFrame(int frame) const { return frame >= 0 && frame < getFrameCount(); }
    void appendFrame(float s, float t, float sizeS, float sizeT, float ds, float dt);

    MatSys::I_Texture* texture;                   // not owned
    std::vector<SpriteBox> boxes[kOrientations];  // indexed by orientation, then frame
    std::vector<std::pair<int, int>> sizes;       // (width, height) of each frame
};

}  // namespace SprSys
