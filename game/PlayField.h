#pragma once

#include <cstddef>
#include <memory>

namespace Tool {

// The play field: a grid of byte cells into which polygon outlines are rasterised as
// integer lines every frame, and the snapshot of the grid that holds only the centre
// polygon. The running state (MainLogic) is a play field; the field needs nothing else,
// so it works without a window.
//
// Cell (x, y) is element y * width + x; x is the column, y the row, row 0 at the top of
// the screen. 0 is a clear cell, drawing stores '1', and any non-zero byte counts as set.
// Field units run from 0 to 1 across the field in x and in y independently; the point
// (X, Y) lies in cell (rint(W * X), rint(H * Y)), rounding ties to even.
class PlayField {
public:
    // One regular polygon. Plain value record; the fields are in this order.
    struct Polygon {
        int numSides;         // sides and vertices; 0 or less draws nothing
        float centerX;        // field units
        float centerY;        // field units
        float radius;         // centre to each vertex, field units
        float rotation;       // angle of vertex 0, degrees; 0 points down on the screen
        int gapSide;          // the one side not drawn; outside 0 ... numSides-1 draws all
        float rotationSpeed;  // degrees per second; only the play state uses it
    };

    static constexpr unsigned char kSetCell = '1';
    static constexpr int kMinGridSize = 16;

    // Allocates the grid and the background, width x height cells each, both cleared.
    // A width or height below kMinGridSize is raised to it.
    PlayField(int width, int height);
    PlayField(const PlayField&) = delete;
    PlayField& operator=(const PlayField&) = delete;

    int getGridWidth() const { return gridWidth; }
    int getGridHeight() const { return gridHeight; }
    std::size_t getCellCount() const;
    // The cells, getCellCount() bytes, row-major.
    const unsigned char* getGrid() const { return grid.get(); }
    unsigned char* getGrid() { return grid.get(); }
    const unsigned char* getBackground() const { return background.get(); }
    // True when (x, y) lies inside the grid and its cell is non-zero.
    bool isSet(int x, int y) const;

    // Sets the cells of the integer line from cell (x0, y0) to cell (x1, y1), both ends
    // included; cells outside the grid are skipped. A line whose infinite extension leaves
    // all four corner cells on one side (zero counting as the non-negative side) is not
    // drawn at all, and neither is a line whose ends are equal.
    void drawLine(int x0, int y0, int x1, int y1);

    // Draws every side of p but its gap side with drawLine. Returns true when a probed
    // vertex cell was already set: vertex 0 when side 0 is drawn, and the end vertex of
    // every drawn side but the last, each probed before that side is drawn. Cells along a
    // side are never probed.
    bool drawPolygon(const Polygon& p);

protected:
    // Clears every cell of the grid.
    void clearGrid();
    // Copies the grid into the background / the background over the grid.
    void saveBackground();
    void restoreBackground();

    int gridWidth;
    int gridHeight;
    std::unique_ptr<unsigned char[]> grid;        // owned, gridWidth * gridHeight bytes
    std::unique_ptr<unsigned char[]> background;  // owned, the centre-polygon snapshot

private:
    struct Cell {
        int x;
        int y;
    };

    bool rejectLine(int x0, int y0, int x1, int y1) const;
    void walkLine(int x0, int y0, int x1, int y1);
    Cell vertexCell(const Polygon& p, float angle) const;
    bool probeVertex(const Cell& cell) const;
};

}  // namespace Tool
