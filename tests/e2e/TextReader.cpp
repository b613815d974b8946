#include "e2e/TextReader.h"

#include <algorithm>
#include <cmath>

#include "e2e/GameDriver.h"
#include "tools/fontgen/Glyphs.h"

namespace E2E {

namespace {

constexpr double kCleanGlyph = 0.97;
constexpr size_t kLongestNumber = 8;
constexpr unsigned char kFirstGlyph = 0x20;

// The pen x of the first glyph, centred as the main view centres it.
float startX(float x, size_t length, float k, const TextLayout& layout) {
    const float advance = (layout.cellWidth + layout.colGap) * layout.fontScale;
    x -= 0.5f * k *
         (static_cast<float>(length) * advance - layout.colGap * layout.fontScale - advance);
    return x - layout.fontScale * k;
}

// Texels of one glyph cell centred on the pen position (px, py) that the image shows
// as the font draws them, counted separately for drawn and clear texels.
struct Tally {
    int drawn = 0;
    int drawnSeen = 0;
    int clear = 0;
    int clearSeen = 0;

    void add(const Tally& other) {
        drawn += other.drawn;
        drawnSeen += other.drawnSeen;
        clear += other.clear;
        clearSeen += other.clearSeen;
    }
    // Both kinds must match: an empty black area matches the clear texels of any text,
    // a white one its drawn texels.
    double score() const {
        const double drawnPart = drawn ? static_cast<double>(drawnSeen) / drawn : 1.0;
        const double clearPart = clear ? static_cast<double>(clearSeen) / clear : 1.0;
        return std::min(drawnPart, clearPart);
    }
};

Tally glyphTally(const Image& image, char character, float px, float py, float k,
                 const TextLayout& layout) {
    Tally tally;
    const auto& glyphs = FontGen::glyphs();
    const size_t index = static_cast<unsigned char>(character) - kFirstGlyph;
    if (index >= glyphs.size()) {
        tally.drawn = 1;  // a character the font cannot draw never matches
        return tally;
    }
    const FontGen::Glyph& glyph = glyphs[index];
    const float texel = layout.fontScale * k;
    const float left = std::round(px) - layout.cellWidth * texel / 2;
    const float top = std::round(py) + layout.cellHeight * texel / 2;
    for (int row = 0; row < layout.cellHeight; ++row) {
        for (int col = 0; col < layout.cellWidth; ++col) {
            const bool drawn = row < FontGen::kGlyphRows && col < FontGen::kGlyphCols &&
                               glyph.rows[row] && glyph.rows[row][col] == '#';
            const int x = static_cast<int>(std::floor(left + (col + 0.5f) * texel));
            const int y = static_cast<int>(std::floor(top - (row + 0.5f) * texel));
            const bool white = image.whiteAt(x, y);
            if (drawn) {
                ++tally.drawn;
                tally.drawnSeen += white ? 1 : 0;
            } else {
                ++tally.clear;
                tally.clearSeen += white ? 0 : 1;
            }
        }
    }
    return tally;
}

double glyphMatch(const Image& image, char character, float px, float py, float k,
                  const TextLayout& layout) {
    return glyphTally(image, character, px, py, k, layout).score();
}

float penStep(float k, const TextLayout& layout) {
    return (layout.colGap + layout.cellWidth) * layout.fontScale * k;
}

}  // namespace

double textMatch(const Image& image, const std::string& text, float x, float y, float k,
                 const TextLayout& layout) {
    if (text.empty()) {
        return 0.0;
    }
    Tally total;
    float pen = startX(x, text.size(), k, layout);
    for (char character : text) {
        total.add(glyphTally(image, character, pen, y, k, layout));
        pen += penStep(k, layout);
    }
    return total.score();
}

std::string readNumber(const Image& image, float x, float y, float k, const TextLayout& layout) {
    static const std::string kCandidates = "0123456789.";
    std::string best;
    for (size_t length = 1; length <= kLongestNumber; ++length) {
        std::string reading;
        double worst = 1.0;
        float pen = startX(x, length, k, layout);
        for (size_t i = 0; i < length; ++i) {
            char bestChar = '?';
            double bestMatch = 0.0;
            for (char candidate : kCandidates) {
                const double match = glyphMatch(image, candidate, pen, y, k, layout);
                if (match > bestMatch) {
                    bestMatch = match;
                    bestChar = candidate;
                }
            }
            reading += bestChar;
            worst = std::min(worst, bestMatch);
            pen += penStep(k, layout);
        }
        // A shorter reading of a centred text can line up with its middle characters, so
        // the longest clean reading is the text.
        if (worst >= kCleanGlyph) {
            best = reading;
        }
    }
    return best;
}

}  // namespace E2E
