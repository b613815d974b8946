#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <utility>

#include "game/PlayField.h"

using Tool::PlayField;
using Polygon = PlayField::Polygon;
using CellSet = std::set<std::pair<int, int>>;

namespace {

// A play field whose cells can be set and listed directly.
class Field : public PlayField {
public:
    Field(int width = 16, int height = 16) : PlayField(width, height) {}
    void set(int x, int y) { grid[static_cast<std::size_t>(y) * gridWidth + x] = kSetCell; }
    CellSet setCells() const {
        CellSet cells;
        for (int y = 0; y < gridHeight; ++y) {
            for (int x = 0; x < gridWidth; ++x) {
                if (isSet(x, y)) {
                    cells.insert({x, y});
                }
            }
        }
        return cells;
    }
};

// On a 16 x 16 field this square has its vertices 0 ... 3 in the cells (8, 12), (12, 8),
// (8, 4) and (4, 8): below, right of, above and left of the centre on the screen.
Polygon square(int gapSide = -1) {
    return Polygon{4, 0.5f, 0.5f, 0.25f, 0.0f, gapSide, 0.0f};
}

}  // namespace

TEST(PlayField, SmallSizesAreRaisedToSixteenAndTheGridStartsClear) {
    Field field(3, 40);
    EXPECT_EQ(field.getGridWidth(), 16);
    EXPECT_EQ(field.getGridHeight(), 40);
    EXPECT_EQ(field.getCellCount(), 16u * 40u);
    EXPECT_TRUE(field.setCells().empty());
}

TEST(PlayField, SizesAreKeptWithinTheColumnRowAndCellLimits) {
    struct Case {
        int width, height, expectedWidth, expectedHeight;
    };
    const Case cases[] = {{100000, 100000, 4096, 1024},
                          {16, 100000, 16, 4096},
                          {-2147483647, 2147483647, 16, 4096},
                          {2048, 2048, 2048, 2048}};
    for (const Case& c : cases) {
        const PlayField field(c.width, c.height);
        EXPECT_EQ(field.getGridWidth(), c.expectedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(field.getGridHeight(), c.expectedHeight) << c.width << " x " << c.height;
    }
}

TEST(DrawLine, DegenerateAndMissingLinesSetNothing) {
    Field field;
    field.drawLine(5, 5, 5, 5);      // a cell to itself
    field.drawLine(-5, -1, -1, -5);  // the extension misses the grid
    field.drawLine(20, -3, 30, 40);  // entirely to the right
    field.drawLine(-10, 5, -2, 5);   // the extension crosses, the cells do not
    EXPECT_TRUE(field.setCells().empty());
}

TEST(DrawLine, RejectsTheLineThroughACornerWithTheOtherCornersOnOneSide) {
    // Its walk would pass through cell (0, 0), but f is 0 there and positive at the
    // other three corners.
    Field field;
    field.drawLine(1, -1, -1, 1);
    EXPECT_FALSE(field.isSet(0, 0));
    EXPECT_TRUE(field.setCells().empty());
    // The same line moved one cell inwards crosses the grid and is drawn.
    field.drawLine(2, -1, -1, 2);
    EXPECT_EQ(field.setCells(), (CellSet{{1, 0}, {0, 1}}));
}

TEST(DrawLine, ClipsLinesPartlyOutsideTheGrid) {
    Field field;
    field.drawLine(0, 5, 15, 5);
    field.drawLine(-3, 2, 4, 2);
    field.drawLine(-4, 9, 40, 9);
    CellSet expected;
    for (int x = 0; x < 16; ++x) {
        expected.insert({x, 5});
        expected.insert({x, 9});
    }
    for (int x = 0; x <= 4; ++x) {
        expected.insert({x, 2});
    }
    EXPECT_EQ(field.setCells(), expected);
}

TEST(DrawLine, WalksTheAllOctantLineWhoseCellsDependOnTheDirection) {
    Field field;
    field.drawLine(0, 0, 5, 2);
    EXPECT_EQ(field.setCells(), (CellSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));

    Field forward;
    forward.drawLine(0, 0, 2, 1);
    EXPECT_EQ(forward.setCells(), (CellSet{{0, 0}, {1, 0}, {2, 1}}));
    Field backward;
    backward.drawLine(2, 1, 0, 0);
    EXPECT_EQ(backward.setCells(), (CellSet{{2, 1}, {1, 1}, {0, 0}}));

    Field steep;
    steep.drawLine(3, 15, 3, 0);
    EXPECT_EQ(steep.setCells().size(), 16u);
}

TEST(DrawPolygon, ClosedOutlineVerticesAndOrientation) {
    Field field;
    EXPECT_FALSE(field.drawPolygon(square()));
    const CellSet cells = field.setCells();
    for (const auto& vertex : CellSet{{8, 12}, {12, 8}, {8, 4}, {4, 8}}) {
        EXPECT_EQ(cells.count(vertex), 1u) << vertex.first << "," << vertex.second;
    }
    // The sides between them, and nothing at the centre.
    EXPECT_EQ(cells.count({10, 10}), 1u);
    EXPECT_EQ(cells.count({6, 6}), 1u);
    EXPECT_EQ(cells.count({8, 8}), 0u);
    EXPECT_EQ(cells.size(), 16u);

    // Rotation 0 puts vertex 0 straight below the centre: a triangle points down.
    Field triangle;
    triangle.drawPolygon(Polygon{3, 0.5f, 0.5f, 0.25f, 0.0f, -1, 0.0f});
    EXPECT_TRUE(triangle.isSet(8, 12));
    EXPECT_FALSE(triangle.isSet(8, 4));
}

TEST(DrawPolygon, NoSidesDrawNothingAndOneSideOnlyProbesVertexZero) {
    Field field;
    field.set(8, 12);
    EXPECT_FALSE(field.drawPolygon(Polygon{0, 0.5f, 0.5f, 0.25f, 0.0f, -1, 0.0f}));
    EXPECT_FALSE(field.drawPolygon(Polygon{-3, 0.5f, 0.5f, 0.25f, 0.0f, -1, 0.0f}));
    EXPECT_EQ(field.setCells(), (CellSet{{8, 12}}));
    EXPECT_TRUE(field.drawPolygon(Polygon{1, 0.5f, 0.5f, 0.25f, 0.0f, -1, 0.0f}));
    EXPECT_EQ(field.setCells(), (CellSet{{8, 12}}));
}

TEST(DrawPolygon, ASetCellOnAVertexCollidesButOneBetweenVerticesDoesNot) {
    for (const auto& vertex : CellSet{{8, 12}, {12, 8}, {8, 4}, {4, 8}}) {
        Field field;
        field.set(vertex.first, vertex.second);
        EXPECT_TRUE(field.drawPolygon(square())) << vertex.first << "," << vertex.second;
        // The outline is still drawn completely after the collision.
        EXPECT_EQ(field.setCells().size(), 16u);
    }
    for (const auto& between : CellSet{{10, 10}, {6, 6}, {10, 6}}) {
        Field field;
        field.set(between.first, between.second);
        EXPECT_FALSE(field.drawPolygon(square())) << between.first << "," << between.second;
    }
}

TEST(DrawPolygon, TheGapSideIsNeitherDrawnNorProbesItsEndVertex) {
    // Gap 2: the side from vertex 2 (8, 4) to vertex 3 (4, 8) is missing.
    Field open;
    EXPECT_FALSE(open.drawPolygon(square(2)));
    EXPECT_FALSE(open.isSet(6, 6));
    EXPECT_TRUE(open.isSet(8, 4));
    EXPECT_TRUE(open.isSet(4, 8));

    Field vertex3;
    vertex3.set(4, 8);
    EXPECT_FALSE(vertex3.drawPolygon(square(2)));
    Field vertex2;
    vertex2.set(8, 4);
    EXPECT_TRUE(vertex2.drawPolygon(square(2)));

    // Gap 0: vertices 0 and 1 are never probed, vertex 2 still is.
    for (const auto& unprobed : CellSet{{8, 12}, {12, 8}}) {
        Field field;
        field.set(unprobed.first, unprobed.second);
        EXPECT_FALSE(field.drawPolygon(square(0)));
    }
    Field probed;
    probed.set(8, 4);
    EXPECT_TRUE(probed.drawPolygon(square(0)));

    // A gap outside 0 ... numSides-1 closes the outline.
    Field closed;
    closed.set(4, 8);
    EXPECT_TRUE(closed.drawPolygon(square(4)));
}

TEST(DrawPolygon, VerticesOutsideTheGridAreNotProbedEvenWhenSidesCrossSetCells) {
    // A diamond with its vertices in (8, 20), (20, 8), (8, -4) and (-4, 8), over a field
    // whose every cell is set: its sides cross the corners of the field.
    Field field;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            field.set(x, y);
        }
    }
    EXPECT_FALSE(field.drawPolygon(Polygon{4, 0.5f, 0.5f, 0.75f, 0.0f, -1, 0.0f}));
    // On a clear field the same diamond does set cells inside.
    Field clear;
    EXPECT_FALSE(clear.drawPolygon(Polygon{4, 0.5f, 0.5f, 0.75f, 0.0f, -1, 0.0f}));
    EXPECT_TRUE(clear.isSet(14, 14));
    EXPECT_TRUE(clear.isSet(2, 2));
}

TEST(DrawPolygon, AbsurdGeometryStaysBounded) {
    Field field;
    const float huge = 1e30f;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(field.drawPolygon(Polygon{5, 0.5f, 0.5f, huge, 0.0f, -1, 0.0f}));
    EXPECT_FALSE(field.drawPolygon(Polygon{5, nan, 0.5f, 0.2f, 0.0f, -1, 0.0f}));
    EXPECT_FALSE(field.drawPolygon(Polygon{5, 0.5f, 0.5f, 0.2f, nan, -1, 0.0f}));
}

TEST(DrawPolygon, FarGeometryIsClippedToTheFieldAndDrawsOnlyWhatCrossesIt) {
    const int kMax = std::numeric_limits<int>::max();
    const int kMin = std::numeric_limits<int>::min();
    CellSet row5;
    CellSet row8;
    for (int x = 0; x < 16; ++x) {
        row5.insert({x, 5});
        row8.insert({x, 8});
    }
    struct Case {
        const char* what;
        void (*draw)(Field&);
        CellSet expected;
    };
    const Case cases[] = {
        {"a centre polygon of radius 3e38",
         [](Field& f) {
             f.drawPolygon(Polygon{6, 0.5f, 0.5f, 3e38f, 0.0f, -1, 0.0f});
         },
         {}},
        {"a triangle far larger than the field",
         [](Field& f) {
             f.drawPolygon(Polygon{3, 0.5f, 0.5f, 1e6f, 17.0f, -1, 0.0f});
         },
         {}},
        {"a small polygon centred far away",
         [](Field& f) {
             f.drawPolygon(Polygon{5, 1e6f, -3e5f, 0.2f, 0.0f, -1, 0.0f});
         },
         {}},
        {"an infinite radius",
         [](Field& f) {
             f.drawPolygon(
                 Polygon{4, 0.5f, 0.5f, std::numeric_limits<float>::infinity(), 45.0f, -1, 0.0f});
         },
         {}},
        {"a two-sided polygon of radius 1e4 through the centre",
         [](Field& f) {
             f.drawPolygon(Polygon{2, 0.5f, 0.5f, 1e4f, 90.0f, -1, 0.0f});
         },
         row8},
        {"a line between the int limits", [](Field& f) { f.drawLine(kMin, 5, kMax, 5); }, row5},
        {"a line from far outside to inside",
         [](Field& f) { f.drawLine(-1000000000, 5, 4, 5); },
         {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}}},
        {"a far line that passes the field",
         [](Field& f) { f.drawLine(-1000000000, -5, 1000000000, -3); },
         {}},
    };
    for (const Case& c : cases) {
        Field field;
        c.draw(field);
        EXPECT_EQ(field.setCells(), c.expected) << c.what;
    }
}
