#include "SprFont/SpriteFontRenderer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "Render/I_RenderController.h"
#include "Render/I_VertexArray.h"
#include "SprFont/SpriteFont.h"
#include "SprSys/Sprite.h"
#include "SprSys/SpriteRender.h"
#include "SprSys/SpriteSheet.h"

namespace SprFont {

namespace {

constexpr char kLineFeed = '\n';

}  // namespace

void SpriteFontRenderer::DefaultMover::next(SprSys::Sprite& sprite,
                                            const SpriteFontRenderer& renderer,
                                            const std::string& text, size_t position,
                                            const SprSys::Spatial2D& start) {
    const SpriteFont& font = *renderer.getFont();
    const char character = text[position];
    if (character == kLineFeed) {
        sprite.x = start.x;
        sprite.y -= sprite.scaleY * (font.getRowGap() + font.getHeight());
    } else {
        sprite.x += (font.getColGap() + font.getWidth(character)) * sprite.scaleX;
    }
}

SpriteFontRenderer::SpriteFontRenderer(SpriteFont* rendererFont, Render::I_VertexArray* vertexArray,
                                       int unit)
    : font(rendererFont), array(vertexArray), textureUnit(unit) {}

SpriteFontRenderer::~SpriteFontRenderer() = default;

int SpriteFontRenderer::sizeOfVA(int glyphFrames) {
    constexpr int kMostFrames = INT_MAX / SprSys::SpriteRender::kBytesPerQuad;
    return std::clamp(glyphFrames, 0, kMostFrames) * SprSys::SpriteRender::kBytesPerQuad;
}

SpriteFontRenderer::DefaultMover* SpriteFontRenderer::getDefaultMover() {
    static DefaultMover s_defMover;
    return &s_defMover;
}

SprSys::Spatial2D SpriteFontRenderer::addText(const std::string& text,
                                              const SprSys::Spatial2D& start,
                                              const Util::RGBA* color, float scale,
                                              I_Mover* mover) {
    const float s = font->getScale() * scale;
    SprSys::Sprite sprite;
    sprite.x = start.x;
    sprite.y = start.y;
    sprite.z = start.z;
    sprite.rotation = start.rotation;
    sprite.color = color ? *color : font->getColor();
    sprite.scaleX = s;
    sprite.scaleY = s;

    const int capacity = array ? array->getBufferSize() : 0;
    const SprSys::SpriteSheet& sheet = *font->getSprSheet();
    for (size_t position = 0; position < text.size(); ++position) {
        const auto& frames = font->getAnimFrames(text[position]);
        sprite.frames = &frames;
        // A glyph that would run past the end of the array is left out.
        const int64_t glyphBytes = int64_t(frames.size()) * SprSys::SpriteRender::kBytesPerQuad;
        if (bytesWritten + glyphBytes <= capacity) {
            bytesWritten += SprSys::SpriteRender::toVA(sprite, array, bytesWritten,
                                                       font->getRotation(), sheet, false);
        }
        if (mover) {
            mover->next(sprite, *this, text, position, start);
        }
    }
    sprite.frames = nullptr;

    SprSys::Spatial2D end;
    end.x = sprite.x;
    end.y = sprite.y;
    end.z = sprite.z;
    end.rotation = sprite.rotation;
    return end;
}

SprSys::Spatial2D SpriteFontRenderer::display(Render::I_RenderController* controller,
                                              const std::string& text,
                                              const SprSys::Spatial2D& start,
                                              const Util::RGBA* color, float scale,
                                              I_Mover* mover) {
    font->getSprSheet()->beginUsing(textureUnit);
    array->beginUsing();
    bytesWritten = 0;
    const SprSys::Spatial2D end = addText(text, start, color, scale, mover);
    const unsigned quads =
        static_cast<unsigned>(bytesWritten / SprSys::SpriteRender::kBytesPerQuad);
    controller->drawArrays(Render::RT_QUADS, 0, quads * SprSys::SpriteRender::kVerticesPerQuad);
    font->getSprSheet()->endUsing(textureUnit);
    array->endUsing();
    return end;
}

}  // namespace SprFont
