#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Util/NamedObject.h"
#include "Util/RGBA.h"

namespace MatSys {
class TextureStore;
}

namespace SprSys {
struct AnimFrame;
class AnimFrameStore;
class SpriteRotation;
class SpriteSheet;
}  // namespace SprSys

namespace SprFont {

// A bitmap font read from a font configuration file: a glyph image cut into cells,
// and for every byte value the animation frames that draw the character and the
// pen advance after it. The name is the font file name.
//
// Font file keys: GLYPHS_IMAGE (image name for the texture store), GLYPH_WIDTH and
// GLYPH_HEIGHT (cell size in texels, the default advance and the line height),
// GLYPH_BORDER (texels between cells), GLYPH_COL_GAP / GLYPH_ROW_GAP, FONT_SCALE,
// GLF_* animation frames and GLYPH_MAPPINGS, a comma-separated list of
// "character=>frame[:advance]" entries in which a character longer than one byte is
// its hexadecimal code ('2C' or '0x2C' for the comma).
//
// The file is read with the overrides as its parent, so a key given on the command line
// or in the settings file wins over the file's, except FONT_SCALE: that name is also the
// game's key for the scale handed to the constructor, so the font's own FONT_SCALE is
// read from the file alone.
class SpriteFont : public Util::NamedObject {
public:
    static constexpr int kCharacters = 256;
    // Frames one character may draw (GLYPH_MAPPINGS entries naming it).
    static constexpr int kMaxFramesPerGlyph = 64;

    // Loads the font. A scale of 0 takes FONT_SCALE from the file (1 when it has none).
    // Fatal: a glyph image the texture store cannot provide (also the case of a font
    // file that cannot be read), GLYPH_WIDTH or GLYPH_HEIGHT outside 1-16384 or
    // GLYPH_BORDER outside 0-16384 texels (MatSys::kMaxTextureSide), a mapping entry
    // that is not one "=>" pair, a character code outside 0-FF, more than
    // kMaxFramesPerGlyph frames for one character, and the animation frame errors.
    SpriteFont(MatSys::TextureStore* textures, const std::string& fileName, float scale);
    ~SpriteFont() override;

    virtual int getWidth() const { return glyphWidth; }
    virtual int getHeight() const { return glyphHeight; }
    // The character's pen advance in unscaled units.
    virtual int getWidth(char character) const { return advances[index(character)]; }
    virtual float getColGap() const { return colGap; }
    virtual void setColGap(float gap) { colGap = gap; }
    virtual float getRowGap() const { return rowGap; }
    virtual void setRowGap(float gap) { rowGap = gap; }
    virtual float getScale() const { return scale; }
    virtual void setScale(float newScale) { scale = newScale; }
    virtual const Util::RGBA& getColor() const { return color; }
    virtual void setColor(const Util::RGBA& newColor) { color = newColor; }

    SprSys::SpriteSheet* getSprSheet() const { return sheet.get(); }
    SprSys::SpriteRotation* getRotation() const { return rotation.get(); }
    // The frames that draw the character, in drawing order; empty for an unmapped one.
    const std::vector<SprSys::AnimFrame*>& getAnimFrames(char character) const {
        return glyphFrames[index(character)];
    }

private:
    static int index(char character) { return static_cast<unsigned char>(character); }
    void applyMapping(const std::string& entry);

    float scale;
    float colGap = 0.0f;
    float rowGap = 0.0f;
    Util::RGBA color;
    int glyphWidth = 0;
    int glyphHeight = 0;
    std::unique_ptr<SprSys::SpriteSheet> sheet;
    std::unique_ptr<SprSys::SpriteRotation> rotation;
    std::unique_ptr<SprSys::AnimFrameStore> frameStore;
    std::vector<SprSys::AnimFrame*>
        glyphFrames[kCharacters];  // frames not owned (the store has them)
    int advances[kCharacters];
};

}  // namespace SprFont
