#pragma once

#include <string>

#include "SprSys/Spatial2D.h"
#include "Util/RGBA.h"

namespace Render {
class I_RenderController;
class I_VertexArray;
}  // namespace Render

namespace SprSys {
struct Sprite;
}

namespace SprFont {

class SpriteFont;

// Lays text out as glyph quads in a vertex array (nine floats per vertex: position,
// texture coordinates, colour) and draws it. All text of one display call is drawn
// with one draw call.
class SpriteFontRenderer {
public:
    // Places successive characters: moves the sprite on after the character at
    // `position` of `text` has been written.
    class I_Mover {
    public:
        virtual ~I_Mover() = default;
        virtual void next(SprSys::Sprite& sprite, const SpriteFontRenderer& renderer,
                          const std::string& text, size_t position,
                          const SprSys::Spatial2D& start) = 0;
    };

    // Left to right, by (column gap + the character's advance) x scale; a line feed
    // goes back to the start x and one line (row gap + glyph height) x scale down.
    class DefaultMover : public I_Mover {
    public:
        void next(SprSys::Sprite& sprite, const SpriteFontRenderer& renderer,
                  const std::string& text, size_t position,
                  const SprSys::Spatial2D& start) override;
    };

    // The font and the array are not owned. The array must hold the layout that
    // SprSys::SpriteRender writes (a VTC array).
    SpriteFontRenderer(SpriteFont* font, Render::I_VertexArray* array, int textureUnit);
    virtual ~SpriteFontRenderer();

    // Bytes of vertex data needed for that many glyph frames: 144 each. A count below 0
    // counts as 0, and one whose bytes do not fit in an int as the most that do.
    static int sizeOfVA(int glyphFrames);
    static DefaultMover* getDefaultMover();

    // Appends the text's glyphs to the array after what was written since the last
    // display, starting at `start`, in `color` (null: the font's) at the font's scale
    // times `scale`. Returns the pen position after the text. Glyphs that do not fit
    // in the array are left out; the pen still moves over them.
    SprSys::Spatial2D addText(const std::string& text, const SprSys::Spatial2D& start,
                              const Util::RGBA* color, float scale, I_Mover* mover);

    // Binds the glyph image and the array, writes the text from the start of the
    // array and draws it as quads with one call. Returns what addText returns.
    SprSys::Spatial2D display(Render::I_RenderController* controller, const std::string& text,
                              const SprSys::Spatial2D& start, const Util::RGBA* color, float scale,
                              I_Mover* mover);

    SpriteFont* getFont() const { return font; }
    int getBytesWritten() const { return bytesWritten; }
    void resetBytesWritten() { bytesWritten = 0; }

private:
    SpriteFont* font;              // not owned
    Render::I_VertexArray* array;  // not owned
    int textureUnit;
    int bytesWritten = 0;  // since the last reset
};

}  // namespace SprFont
