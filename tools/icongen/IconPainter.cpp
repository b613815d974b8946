#include "IconPainter.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "PngWriter.h"
#include "game/PlayField.h"

namespace IconGen {

namespace {

constexpr int kBytesPerPixel = 4;
constexpr int kCornerRadiusDivisor = 8;  // corner radius = size / 8
constexpr unsigned char kOpaque = 255;
constexpr unsigned char kCellLevel = 255;
// The middle of the icon lies between two cells: field unit 0.5 is cell 16, whose
// pixels lie right of and below the middle, so the picture moves back by half a cell.
constexpr float kCentre = 0.5f - 0.5f / kIconCells;

// The picture, in field units as the game draws it: a hexagon filled by nested
// outlines, a pentagon and a hexagon each with one open side, and the player's
// triangle pointing away from the centre.
constexpr float kCentreRadius = 0.1f;
constexpr float kCentreRadiusStep = 0.02f;
const Tool::PlayField::Polygon kInnerRing{5, kCentre, kCentre, 0.28f, 20.0f, 1, 0.0f};
const Tool::PlayField::Polygon kOuterRing{6, kCentre, kCentre, 0.44f, 0.0f, 4, 0.0f};
const Tool::PlayField::Polygon kPlayer{3, kCentre + 0.16f, kCentre, 0.06f, 90.0f, -1, 0.0f};

void drawPicture(Tool::PlayField& field) {
    for (float radius = kCentreRadius; radius > 0.0f; radius -= kCentreRadiusStep) {
        field.drawPolygon({6, kCentre, kCentre, radius, 0.0f, -1, 0.0f});
    }
    field.drawPolygon(kInnerRing);
    field.drawPolygon(kOuterRing);
    field.drawPolygon(kPlayer);
}

// Whether pixel (x, y) lies inside the square of the given size with rounded corners.
bool insideRoundedSquare(int x, int y, int size) {
    const float radius = static_cast<float>(size) / kCornerRadiusDivisor;
    const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
    const float cx = px < radius ? radius : (px > size - radius ? size - radius : px);
    const float cy = py < radius ? radius : (py > size - radius ? size - radius : py);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius;
}

}  // namespace

const std::vector<int>& iconSizes() {
    static const std::vector<int> sizes{32, 64, 128, 256};
    return sizes;
}

std::vector<unsigned char> paintIcon(int size) {
    if (size < 1) {
        return {};
    }
    Tool::PlayField field(kIconCells, kIconCells);
    drawPicture(field);

    std::vector<unsigned char> rgba(static_cast<std::size_t>(size) * size * kBytesPerPixel, 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!insideRoundedSquare(x, y, size)) {
                continue;
            }
            const bool set = field.isSet(x * kIconCells / size, y * kIconCells / size);
            unsigned char* pixel = &rgba[(static_cast<std::size_t>(y) * size + x) * kBytesPerPixel];
            pixel[0] = pixel[1] = pixel[2] = set ? kCellLevel : 0;
            pixel[3] = kOpaque;
        }
    }
    return rgba;
}

std::string iconPath(int size) {
    const std::string edge = std::to_string(size);
    return "hicolor/" + edge + "x" + edge + "/apps/quorlith.png";
}

bool writeIcons(const std::string& folder, std::string& error) {
    for (int size : iconSizes()) {
        const std::filesystem::path path = std::filesystem::path(folder) / iconPath(size);
        std::error_code made;
        std::filesystem::create_directories(path.parent_path(), made);
        std::ofstream out(path, std::ios::binary);
        out << encodePNG(size, size, paintIcon(size));
        if (!out.flush()) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

}  // namespace IconGen
