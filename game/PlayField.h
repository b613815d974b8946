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
    // More columns or rows than a 4K screen has pixels across cannot be shown.
    static constexpr int kMaxGridSize = 4096;
    // 2048 x 2048 cells: the grid, its snapshot and the view's vertex array stay in the
    // low hundreds of megabytes, and a frame copies and walks at most this many cells.
    static constexpr long kMaxCellCount = 4194304;

    // Allocates the grid and the background, width x height cells each, both cleared.
    // A width or height below kMinGridSize is raised to it, one above kMaxGridSize
    // lowered to it, and the height lowered further when the cells would exceed
    // kMaxCellCount (the running state reports such sizes before it gets here).
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
    // Lines with both ends within kNearFields field sizes of the grid are walked cell by
    // cell from end to end. A line with an end farther out is first clipped to the grid,
    // and its part inside is walked between the cells where it enters and leaves; it may
    // then differ by a cell from the end-to-end walk, but costs no more than a line
    // across the grid.
    void drawLine(int x0, int y0, int x1, int y1);

    // Draws every side of p but its gap side as drawLine does. Returns true when a probed
    // vertex cell was already set: vertex 0 when side 0 is drawn, and the end vertex of
    // every drawn side but the last, each probed before that side is drawn. Cells along a
    // side are never probed. A side with a vertex that is not a finite number (a radius
    // or centre of infinity or NaN) draws nothing. A polygon that cannot come near the
    // grid (far away, or around it) is passed over without computing its vertices.
    bool drawPolygon(const Polygon& p);

    // How far outside the grid, in field sizes, a line's ends may lie and still be
    // walked from end to end.
    static constexpr int kNearFields = 2;

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
    // A cell position: whole numbers, which may lie far outside the grid or, for absurd
    // geometry, be infinite or NaN.
    struct Cell {
        double x;
        double y;
    };

    void drawSide(const Cell& start, const Cell& end);
    bool isNear(const Cell& cell) const;
    bool missesGrid(const Polygon& p) const;
    bool rejectLine(int x0, int y0, int x1, int y1) const;
    bool rejectFarLine(const Cell& start, const Cell& end) const;
    void drawClipped(const Cell& start, const Cell& end);
    void walkLine(int x0, int y0, int x1, int y1);
    Cell vertexCell(const Polygon& p, float angle) const;
    bool probeVertex(const Cell& cell) const;
};

}  // namespace Tool
