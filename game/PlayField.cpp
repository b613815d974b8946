#include "game/PlayField.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace Tool {

namespace {

constexpr float kPi = 3.14159265358979323846f;
constexpr float kDegreesToRadians = kPi / 180.0f;
// A cell covers half a cell on either side of its centre.
constexpr double kHalfCell = 0.5;
constexpr double kTwoPi = 6.283185307179586;
// How far, in cells, a vertex cell may lie from the exact vertex: rounding and the
// walk's own deviation from the ideal line, with room to spare.
constexpr double kCellSlack = 2.0;
// Relative error of a vertex computed in single precision, with room to spare.
constexpr double kRadiusSlack = 1e-5;

int limitedWidth(int width) {
    return std::clamp(width, PlayField::kMinGridSize, PlayField::kMaxGridSize);
}

int limitedHeight(int width, int height) {
    const int mostRows = static_cast<int>(PlayField::kMaxCellCount / limitedWidth(width));
    return std::clamp(height, PlayField::kMinGridSize, std::min(PlayField::kMaxGridSize, mostRows));
}

// rint(cells x units) with ties to even, in single precision as the field's geometry is;
// a product too large for a float is taken in double so that its direction survives.
double toCell(int cells, float units) {
    const float product = static_cast<float>(cells) * units;
    if (std::isinf(product) && std::isfinite(units)) {
        return std::rint(static_cast<double>(cells) * static_cast<double>(units));
    }
    return static_cast<double>(std::rint(product));
}

bool isFinite(double x, double y) {
    return std::isfinite(x) && std::isfinite(y);
}

// Liang-Barsky: narrows [t0, t1] of the segment to the side of one boundary where
// p * t <= q holds; false when nothing of the segment is left.
bool clipToBoundary(double p, double q, double& t0, double& t1) {
    if (p == 0.0) {
        return q >= 0.0;
    }
    const double t = q / p;
    if (p < 0.0) {
        t0 = std::max(t0, t);
    } else {
        t1 = std::min(t1, t);
    }
    return t0 <= t1;
}

int roundedInto(double cell, int size) {
    return static_cast<int>(std::clamp(std::rint(cell), 0.0, static_cast<double>(size - 1)));
}

// Distance from (x, y) to the nearest and to the farthest point of the unit square
// the field spans, in field units.
void squareDistances(double x, double y, double& nearest, double& farthest) {
    const double outsideX = std::max({0.0, -x, x - 1.0});
    const double outsideY = std::max({0.0, -y, y - 1.0});
    nearest = std::hypot(outsideX, outsideY);
    farthest = std::hypot(std::max(std::fabs(x), std::fabs(x - 1.0)),
                          std::max(std::fabs(y), std::fabs(y - 1.0)));
}

}  // namespace

PlayField::PlayField(int width, int height)
    : gridWidth(limitedWidth(width)),
      gridHeight(limitedHeight(width, height)),
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
    drawSide(Cell{static_cast<double>(x0), static_cast<double>(y0)},
             Cell{static_cast<double>(x1), static_cast<double>(y1)});
}

// Near lines are drawn exactly as the integer walk from end to end; far ones are clipped
// first, so that their cost does not grow with their length and no end needs to fit in
// an int.
void PlayField::drawSide(const Cell& start, const Cell& end) {
    if (isNear(start) && isNear(end)) {
        const int x0 = static_cast<int>(start.x);
        const int y0 = static_cast<int>(start.y);
        const int x1 = static_cast<int>(end.x);
        const int y1 = static_cast<int>(end.y);
        if (!rejectLine(x0, y0, x1, y1)) {
            walkLine(x0, y0, x1, y1);
        }
        return;
    }
    drawClipped(start, end);
}

// Within kNearFields field sizes of the grid on every side.
bool PlayField::isNear(const Cell& cell) const {
    const double marginX = static_cast<double>(kNearFields) * gridWidth;
    const double marginY = static_cast<double>(kNearFields) * gridHeight;
    return cell.x >= -marginX && cell.x <= gridWidth + marginX && cell.y >= -marginY &&
           cell.y <= gridHeight + marginY;
}

// The line's implicit function f(x, y) is zero on the infinite line through both ends.
// When all four corner cells give f >= 0, or all give f < 0, the line cannot touch the
// grid (or it is a single point, where f is zero everywhere). Near ends are a few field
// sizes at most, so the products fit in 64 bits.
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

// The same corner test for far ends, in double precision.
bool PlayField::rejectFarLine(const Cell& start, const Cell& end) const {
    const double a = end.y - start.y;
    const double b = start.x - end.x;
    const double c = start.y * end.x - start.x * end.y;
    const double right = gridWidth - 1;
    const double bottom = gridHeight - 1;
    const double corners[4][2] = {{0, 0}, {0, bottom}, {right, 0}, {right, bottom}};
    int nonNegative = 0;
    for (const auto& corner : corners) {
        if (a * corner[0] + b * corner[1] + c >= 0.0) {
            ++nonNegative;
        }
    }
    return nonNegative == 0 || nonNegative == 4;
}

// Clips the segment to the cells of the grid (each half a cell around its centre) and
// walks the part inside, from the cell where it enters to the cell where it leaves, in
// the segment's own direction. Geometry that never comes near the grid draws nothing.
void PlayField::drawClipped(const Cell& start, const Cell& end) {
    if (!isFinite(start.x, start.y) || !isFinite(end.x, end.y) || rejectFarLine(start, end)) {
        return;
    }
    const double dx = end.x - start.x;
    const double dy = end.y - start.y;
    const double left = -kHalfCell;
    const double right = gridWidth - kHalfCell;
    const double top = -kHalfCell;
    const double bottom = gridHeight - kHalfCell;
    double t0 = 0.0;
    double t1 = 1.0;
    if (!clipToBoundary(-dx, start.x - left, t0, t1) ||
        !clipToBoundary(dx, right - start.x, t0, t1) ||
        !clipToBoundary(-dy, start.y - top, t0, t1) ||
        !clipToBoundary(dy, bottom - start.y, t0, t1)) {
        return;
    }
    walkLine(roundedInto(start.x + t0 * dx, gridWidth), roundedInto(start.y + t0 * dy, gridHeight),
             roundedInto(start.x + t1 * dx, gridWidth), roundedInto(start.y + t1 * dy, gridHeight));
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
    return Cell{toCell(gridWidth, x), toCell(gridHeight, y)};
}

// A cell outside the grid, or not a number, is not probed.
bool PlayField::probeVertex(const Cell& cell) const {
    if (!(cell.x >= 0.0 && cell.x < gridWidth && cell.y >= 0.0 && cell.y < gridHeight)) {
        return false;
    }
    return isSet(static_cast<int>(cell.x), static_cast<int>(cell.y));
}

// True when no side of p can come near a cell of the grid, so that drawing it would
// neither set nor probe anything: its vertices' circle misses the field, or (three
// sides or more) every side runs outside a field that its inscribed circle holds. The
// test allows for the rounding of vertex cells and the float error of the vertices,
// including that of the accumulated vertex angles; when in doubt it draws.
bool PlayField::missesGrid(const Polygon& p) const {
    const double radius = std::fabs(static_cast<double>(p.radius));
    const double angle = std::fabs(static_cast<double>(p.rotation * kDegreesToRadians));
    if (!std::isfinite(radius) || !std::isfinite(angle) || !std::isfinite(p.centerX) ||
        !std::isfinite(p.centerY)) {
        return false;
    }
    const double slack = kCellSlack / std::min(gridWidth, gridHeight) + radius * kRadiusSlack;
    double nearest = 0.0;
    double farthest = 0.0;
    squareDistances(p.centerX, p.centerY, nearest, farthest);
    if (nearest > radius + slack) {
        return true;
    }
    if (p.numSides < 3) {
        return false;
    }
    // Each accumulated angle may be off by half a unit in the last place of the largest
    // angle, so two neighbouring vertices may be up to one unit farther apart.
    const float largest = static_cast<float>(angle + kTwoPi + 1.0);
    const double unit = std::nextafter(largest, std::numeric_limits<float>::infinity()) - largest;
    const double widestStep = kTwoPi / p.numSides + 2.0 * unit;
    return widestStep < kTwoPi / 2 && radius * std::cos(widestStep / 2) - slack > farthest;
}

bool PlayField::drawPolygon(const Polygon& p) {
    if (p.numSides <= 0 || missesGrid(p)) {
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
            drawSide(start, end);
        }
        start = end;
    }
    return hit;
}

}  // namespace Tool
