#include "SprFont/SpriteFont.h"

#include <vector>

#include "CFG/Global.h"
#include "CFG/Info.h"
#include "CFG/InfoParser.h"
#include "GameHelper/CFGHelper.h"
#include "MatSys/TextureLimits.h"
#include "MatSys/TextureStore.h"
#include "SprSys/AnimFrameStore.h"
#include "SprSys/SpriteRotation.h"
#include "SprSys/SpriteSheet.h"
#include "Util/FatalReport.h"
#include "Util/OutOfMemory.h"
#include "Util/Strings.h"

namespace SprFont {

namespace {

constexpr const char* kFramePrefix = "GLF_";
constexpr const char* kPairSeparator = "=>";
constexpr const char* kAdvanceSeparator = ":";
constexpr int kHex = 16;
constexpr int kDecimal = 10;
constexpr int kMaxCode = 0xFF;
constexpr const char* kScaleKey = "FONT_SCALE";

// A one-byte piece is the character itself; a longer one its hexadecimal code.
int characterCode(const std::string& piece, const std::string& entry) {
    if (piece.size() == 1) {
        return static_cast<unsigned char>(piece[0]);
    }
    const int code = Util::strToNum<int>(piece, kHex);
    if (code < 0 || code > kMaxCode) {
        QUORLITH_FATAL("Character code out of range 00-FF in GLYPH_MAPPINGS: " << entry);
    }
    return code;
}

// A cell size or border of the file must lie in [least, kMaxTextureSide]: no texture has
// a larger side, and sizes near the int limits would overflow the cell arithmetic.
void checkCellSize(const std::string& fileName, const char* key, int value, int least) {
    if (value < least || value > MatSys::kMaxTextureSide) {
        QUORLITH_FATAL("Font " << fileName << ": " << key << " " << value << " is outside " << least
                               << "-" << MatSys::kMaxTextureSide << " texels");
    }
}

// The font file's own FONT_SCALE. The game reads a key of the same name for the scale
// it hands to the font, where 0 means "the font file's own"; read through the
// overrides, a FONT_SCALE given on the command line or in the settings file would
// shadow the file's value, so the file is read here without them (substitution in that
// value therefore sees the font file's keys only). 1 when the file has none.
float ownScale(const std::string& fileName) {
    CFG::Info own(fileName, nullptr);
    if (own.get(kScaleKey).empty()) {
        return 1.0f;
    }
    return CFG::InfoParser(&own).getNumber<float>(kScaleKey);
}

}  // namespace

SpriteFont::SpriteFont(MatSys::TextureStore* textures, const std::string& fileName,
                       float fontScale) try
    : Util
    ::NamedObject(fileName), scale(fontScale) {
        color.r = color.g = color.b = color.a = 255;

        CFG::Info config(fileName, CFG::getDefaultOverrides());
        CFG::InfoParser parser(&config);
        if (scale == 0.0f) {
            scale = ownScale(fileName);
        }
        glyphWidth = parser.getNumber<int>("GLYPH_WIDTH");
        glyphHeight = parser.getNumber<int>("GLYPH_HEIGHT");
        const int border = parser.getNumber<int>("GLYPH_BORDER");

        const std::string imageName = config.get("GLYPHS_IMAGE");
        MatSys::I_Texture* texture =
            textures && !imageName.empty() ? textures->add(imageName) : nullptr;
        if (!texture) {
            QUORLITH_FATAL("Font " << fileName << ": glyph image '" << imageName
                                   << "' cannot be loaded");
        }
        checkCellSize(fileName, "GLYPH_WIDTH", glyphWidth, 1);
        checkCellSize(fileName, "GLYPH_HEIGHT", glyphHeight, 1);
        checkCellSize(fileName, "GLYPH_BORDER", border, 0);
        sheet =
            std::make_unique<SprSys::SpriteSheet>(texture, glyphWidth, glyphHeight, border, false);

        colGap = static_cast<float>(parser.getNumber<int>("GLYPH_COL_GAP"));
        rowGap = static_cast<float>(parser.getNumber<int>("GLYPH_ROW_GAP"));
        rotation = std::make_unique<SprSys::SpriteRotation>(static_cast<float>(glyphWidth),
                                                            static_cast<float>(glyphHeight));
        frameStore = std::make_unique<SprSys::AnimFrameStore>();
        GameHelper::CFGHelper::populateAnimFrameStore(frameStore.get(), fileName, kFramePrefix);

        for (int i = 0; i < kCharacters; ++i) {
            advances[i] = glyphWidth;
        }
        std::vector<std::string> entries;
        Util::splitString(config.get("GLYPH_MAPPINGS"), ",", entries, false, true);
        for (const std::string& entry : entries) {
            applyMapping(entry);
        }
    }
catch (const std::bad_alloc&) {
    Util::reportOutOfMemory("font file", fileName);
}

SpriteFont::~SpriteFont() = default;

// "character=>frame" or "character=>frame:advance": appends the frame (the default
// frame when the name is unknown) to the character's glyph and sets its advance.
void SpriteFont::applyMapping(const std::string& entry) {
    const CFG::InfoParser::StringPairGettor splitPair(kPairSeparator);
    const std::pair<std::string, std::string> pair = splitPair(entry);
    const int code = characterCode(pair.first, entry);

    std::vector<std::string> framePart;
    Util::splitString(pair.second, kAdvanceSeparator, framePart, true, true);
    if (glyphFrames[code].size() >= size_t(kMaxFramesPerGlyph)) {
        QUORLITH_FATAL("Font " << getName() << ": more than " << kMaxFramesPerGlyph
                               << " frames for one character in GLYPH_MAPPINGS: " << entry);
    }
    glyphFrames[code].push_back(frameStore->get(framePart.empty() ? std::string() : framePart[0]));
    if (framePart.size() == 2) {
        advances[code] = Util::strToNum<int>(framePart[1], kDecimal);
    }
}

}  // namespace SprFont
