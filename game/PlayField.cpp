#include "game/PlayField.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace Tool {

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr float kDegreesToRadians = kPi / 180.0f;

// Vertex cells farther than this outside the grid are pulled in to this distance, so
// that a huge or non-finite radius cannot overflow the integer conversion or the line
// arithmetic. Lines that far out would take millions of steps to walk anyway.
constexpr float kCellLimit = 1048576.0f;

// rint with ties to even (the default rounding mode), limited to +-kCellLimit; NaN
// becomes -kCellLimit.
int toCell(float cells) {
    const float rounded = std::rint(cells);
    if (!(rounded >= -kCellLimit)) {
        return -static_cast<int>(kCellLimit);
    }
    if (rounded > kCellLimit) {
        return static_cast<int>(kCellLimit);
    }
    return static_cast<int>(rounded);
}

}  // namespace

PlayField::PlayField(int width, int height)
    : gridWidth(width < kMinGridSize ? kMinGridSize : width),
      gridHeight(height < kMinGridSize ? kMinGridSize : height),
      grid(new unsigned char[getCellCount()]()),
      background(new unsigned char[getCellCount()]()) {}

std::size_t PlayField::getCellCount() const {
    return static_cast<std::size_t>(gridWidth) * static_cast<std::size_t>(gridHeight);
}

bool PlayField::isSet(int x, int y) const {
    if (x < 0 || x >= gridWidth || y < 0 || y >= gridHeight) {
        return false;
    }
    return grid[static_cast<std::size_t>(y) * gridWidth + x] != 0;
}

void PlayField::clearGrid() {
    std::memset(grid.get(), 0, getCellCount());
}

void PlayField::saveBackground() {
    std::memcpy(background.get(), grid.get(), getCellCount());
}

void PlayField::restoreBackground() {
    std::memcpy(grid.get(), background.get(), getCellCount());
}

void PlayField::drawLine(int x0, int y0, int x1, int y1) {
    if (rejectLine(x0, y0, x1, y1)) {
        return;
    }
    walkLine(x0, y0, x1, y1);
}

// The line's implicit function f(x, y) is zero on the infinite line through both ends.
// When all four corner cells give f >= 0, or all give f < 0, the line cannot touch the
// grid (or it is a single point, where f is zero everywhere). Evaluated in 64 bits:
// the coordinates are limited to about 2^20, so the products cannot overflow.
bool PlayField::rejectLine(int x0, int y0, int x1, int y1) const {
    const long long a = static_cast<long long>(y1) - y0;
    const long long b = static_cast<long long>(x0) - x1;
    const long long c = static_cast<long long>(y0) * x1 - static_cast<long long>(x0) * y1;
    const long long corners[4][2] = {
        {0, 0}, {0, gridHeight - 1}, {gridWidth - 1, 0}, {gridWidth - 1, gridHeight - 1}};
    int nonNegative = 0;
    for (const auto& corner : corners) {
        if (a * corner[0] + b * corner[1] + c >= 0) {
            ++nonNegative;
        }
    }
    return nonNegative == 0 || nonNegative == 4;
}

// The all-octant integer line: one step in x, in y or in both per cell. Cells outside
// the grid are skipped but the walk goes on to the end cell.
void PlayField::walkLine(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    int x = x0;
    int y = y0;
    for (;;) {
        if (x >= 0 && x < gridWidth && y >= 0 && y < gridHeight) {
            grid[static_cast<std::size_t>(y) * gridWidth + x] = kSetCell;
        }
        if (x == x1 && y == y1) {
            return;
        }
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

// Vertex at the given angle (radians), in single precision: sine gives x and cosine y,
// so angle 0 points towards increasing rows.
PlayField::Cell PlayField::vertexCell(const Polygon& p, float angle) const {
    const float x = p.centerX + p.radius * std::sin(angle);
    const float y = p.centerY + p.radius * std::cos(angle);
    return Cell{toCell(static_cast<float>(gridWidth) * x),
                toCell(static_cast<float>(gridHeight) * y)};
}

bool PlayField::probeVertex(const Cell& cell) const {
    return isSet(cell.x, cell.y);
}

bool PlayField::drawPolygon(const Polygon& p) {
    if (p.numSides <= 0) {
        return false;
    }
    const float step = 2.0f * kPi / static_cast<float>(p.numSides);
    float angle = p.rotation * kDegreesToRadians;
    Cell start = vertexCell(p, angle);
    bool hit = false;
    for (int side = 0; side < p.numSides; ++side) {
        // Each next vertex angle is the previous one plus the step, accumulated in float.
        angle += step;
        const Cell end = vertexCell(p, angle);
        if (side != p.gapSide) {
            if (!hit) {
                if (side == 0) {
                    hit = probeVertex(start);
                }
                if (side != p.numSides - 1 && probeVertex(end)) {
                    hit = true;
                }
            }
            drawLine(start.x, start.y, end.x, end.y);
        }
        start = end;
    }
    return hit;
}

}  // namespace Tool
