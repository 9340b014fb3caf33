// The tile grid: reading map files (short and damaged ones refused), the cell
// of a position, and which neighbouring cells are solid at the grid's edges.
#include "levels/tile_map.h"

#include "support/headless.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

using namespace tileMapNS;

// Readable failures.
void PrintTo(const Cell& c, std::ostream* os)
{
    *os << "(" << c.row << ", " << c.col << ")";
}

namespace {

// rows x cols codes; cell (r, c) holds `code(r, c)`.
template <typename CodeOf>
std::string mapText(int cols, CodeOf code)
{
    std::ostringstream text;
    for (int r = 0; r < MAP_ROWS; ++r) {
        for (int c = 0; c < cols; ++c) text << code(r, c) << (c + 1 < cols ? " " : "\n");
    }
    return text.str();
}

TileGrid gridOf(int cols, const std::string& text)
{
    TileGrid grid(cols);
    std::istringstream in(text);
    EXPECT_TRUE(grid.load(in));
    return grid;
}

// Every cell solid, codes 0 to 4 mixed.
TileGrid allSolid(int cols)
{
    return gridOf(cols, mapText(cols, [](int r, int c) { return (r + c) % 5; }));
}

std::vector<Cell> around(const TileGrid& grid, Cell topLeft)
{
    Cell out[MAX_CELLS_AROUND];
    const int n = grid.solidCellsAround(topLeft, out);
    return std::vector<Cell>(out, out + n);
}

}  // namespace

TEST(TileGrid, StartsAllZeroAndReadsRowByRow)
{
    TileGrid grid(NARROW_COLS);
    EXPECT_EQ(grid.rows(), 7);
    EXPECT_EQ(grid.cols(), 12);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 12; ++c) EXPECT_EQ(grid.code(r, c), 0);

    // Line breaks mean nothing: one number per line reads the same.
    std::string text = mapText(12, [](int r, int c) { return r * 100 + c; });
    for (char& ch : text)
        if (ch == ' ')
            ch = '\n';
    std::istringstream in("\r\n  " + text);
    ASSERT_TRUE(grid.load(in));
    EXPECT_EQ(grid.code(0, 0), 0);
    EXPECT_EQ(grid.code(0, 11), 11);
    EXPECT_EQ(grid.code(6, 0), 600);
    EXPECT_EQ(grid.code(6, 11), 611);
    EXPECT_EQ(grid.code(7, 0), 0) << "outside the grid reads as 0";
    EXPECT_EQ(grid.code(0, -1), 0);
}

TEST(TileGrid, ShortOrDamagedMapsAreRefusedAndChangeNothing)
{
    const std::string good = mapText(12, [](int, int) { return 7; });
    TileGrid grid = gridOf(12, good);

    const std::string allButLast = good.substr(0, good.rfind(' '));
    for (const std::string& bad :
         {std::string(), allButLast, allButLast + " 65536", allButLast + " -1", allButLast + " x",
          allButLast + " 99999999999999999999999", "1.5 " + good, "-0x5 " + good}) {
        std::istringstream in(bad);
        EXPECT_FALSE(grid.load(in)) << bad.substr(0, 20);
        EXPECT_EQ(grid.code(0, 0), 7);
        EXPECT_EQ(grid.code(6, 11), 7);
    }

    // The reason names the cell.
    struct Said {
        std::string text, reason;
    };
    for (const Said& c : {Said{allButLast, "ends before row 7, column 12"},
                          Said{allButLast + " x", "row 7, column 12 is not a tile code"},
                          Said{allButLast + " 70000", "row 7, column 12 holds 70000"}}) {
        std::istringstream in(c.text);
        std::string why;
        EXPECT_FALSE(grid.load(in, &why));
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    }

    std::istringstream top(allButLast + " 65535");
    ASSERT_TRUE(grid.load(top));
    EXPECT_EQ(grid.code(6, 11), 65535);
}

TEST(TileGrid, NothingAfterTheLastCodeIsRead)
{
    TileGrid grid(12);
    std::istringstream in(mapText(12, [](int, int) { return 5; }) + "9 junk -1 70000");
    ASSERT_TRUE(grid.load(in));
    EXPECT_EQ(grid.code(6, 11), 5);
    std::string rest;
    in >> rest;
    EXPECT_EQ(rest, "9") << "the stream stops right after the last code";
}

TEST(TileGrid, ReadsDecimalWhateverTheStreamWasSetTo)
{
    TileGrid grid(12);
    std::istringstream in(mapText(12, [](int, int) { return 10; }));
    in >> std::hex >> std::noskipws;
    ASSERT_TRUE(grid.load(in));
    EXPECT_EQ(grid.code(3, 3), 10);
    EXPECT_TRUE(in.flags() & std::ios_base::hex) << "the caller's settings come back";
}

TEST(TileGrid, CodesUpToFourAreSolid)
{
    TileGrid grid = gridOf(12, mapText(12, [](int r, int c) { return r == 2 ? c : 9; }));
    for (int c = 0; c <= 4; ++c) EXPECT_TRUE(grid.isSolid(2, c)) << c;
    for (int c = 5; c < 12; ++c) EXPECT_FALSE(grid.isSolid(2, c)) << c;
    EXPECT_FALSE(grid.isSolid(-1, 0)) << "outside the grid is never solid";
    EXPECT_FALSE(grid.isSolid(2, 12));
}

TEST(TileGrid, CellOfTruncatesTowardZero)
{
    EXPECT_EQ(TileGrid::cellOf(0, 0, 0, 0), (Cell{0, 0}));
    EXPECT_EQ(TileGrid::cellOf(64.9f, 129.9f, 0, 0), (Cell{1, 0}));
    EXPECT_EQ(TileGrid::cellOf(65, 130, 0, 0), (Cell{2, 1}));
    EXPECT_EQ(TileGrid::cellOf(-30, -30, 0, 0), (Cell{0, 0})) << "just left of and above the map is still cell 0";
    EXPECT_EQ(TileGrid::cellOf(-64, 0, 0, 0), (Cell{0, 0}));
    EXPECT_EQ(TileGrid::cellOf(-65, 0, 0, 0), (Cell{0, -1}));
    // A scrolled wide map: mapX -780 puts column 12 at the screen's left edge.
    EXPECT_EQ(TileGrid::cellOf(10, 400, -780, 0), (Cell{6, 12}));
    EXPECT_EQ(TileGrid::cellOf(799, 0, -780.5f, 0), (Cell{0, 24}));
}

TEST(TileGrid, CellOfFarOffOrNonsenseIsOutsideTheGrid)
{
    TileGrid grid = allSolid(24);
    const float nonsense[] = {1e30f, -1e30f, std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    for (float v : nonsense) {
        const Cell c = TileGrid::cellOf(v, v, 0, 0);
        EXPECT_FALSE(grid.contains(c.row, c.col)) << v;
        EXPECT_TRUE(around(grid, c).empty()) << v;
    }
    EXPECT_TRUE(around(grid, Cell{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()}).empty());
    EXPECT_TRUE(around(grid, Cell{std::numeric_limits<int>::min(), std::numeric_limits<int>::min()}).empty());
}

TEST(TileGrid, SixCellsInTheMiddleInOrder)
{
    TileGrid grid = allSolid(12);
    EXPECT_EQ(around(grid, Cell{3, 5}), (std::vector<Cell>{{3, 4}, {3, 5}, {3, 6}, {4, 4}, {4, 5}, {4, 6}}));
}

TEST(TileGrid, NeighbourhoodStopsAtTheEdges)
{
    TileGrid grid = allSolid(12);
    EXPECT_EQ(around(grid, Cell{2, 0}), (std::vector<Cell>{{2, 0}, {2, 1}, {3, 0}, {3, 1}})) << "column 0";
    EXPECT_EQ(around(grid, Cell{2, 11}), (std::vector<Cell>{{2, 10}, {2, 11}, {3, 10}, {3, 11}})) << "last column";
    EXPECT_EQ(around(grid, Cell{6, 5}), (std::vector<Cell>{{6, 4}, {6, 5}, {6, 6}})) << "bottom row only";
    EXPECT_EQ(around(grid, Cell{6, 11}), (std::vector<Cell>{{6, 10}, {6, 11}}));
    EXPECT_EQ(around(grid, Cell{-1, 3}), (std::vector<Cell>{{0, 2}, {0, 3}, {0, 4}})) << "the row below still counts";
    EXPECT_EQ(around(grid, Cell{2, -1}), (std::vector<Cell>{{2, 0}, {3, 0}}));
    EXPECT_EQ(around(grid, Cell{2, 12}), (std::vector<Cell>{{2, 11}, {3, 11}}));
    EXPECT_TRUE(around(grid, Cell{7, 3}).empty());
}

TEST(TileGrid, OnlySolidCellsAreListed)
{
    // Water (5 and above) everywhere but a code-4 rock at (3, 5) and land at (4, 6).
    TileGrid grid = gridOf(12, mapText(12, [](int r, int c) {
                               if (r == 3 && c == 5)
                                   return 4;
                               if (r == 4 && c == 6)
                                   return 0;
                               return r == 4 && c == 4 ? 5 : 200;
                           }));
    EXPECT_EQ(around(grid, Cell{3, 5}), (std::vector<Cell>{{3, 5}, {4, 6}}));
    EXPECT_TRUE(around(grid, Cell{0, 0}).empty());
}

TEST(TileGrid, WideGridHasTwentyFourColumns)
{
    TileGrid grid = gridOf(WIDE_COLS, mapText(24, [](int r, int c) { return c >= 12 ? r % 5 : 9; }));
    EXPECT_EQ(grid.cols(), 24);
    EXPECT_FALSE(grid.isSolid(0, 11));
    EXPECT_TRUE(grid.isSolid(0, 12));
    EXPECT_EQ(grid.code(4, 23), 4);
    EXPECT_EQ(around(grid, Cell{5, 23}), (std::vector<Cell>{{5, 22}, {5, 23}, {6, 22}, {6, 23}}));
    EXPECT_EQ(around(grid, Cell{5, 11}), (std::vector<Cell>{{5, 12}, {6, 12}}));

    // A narrow map is too short for a wide grid.
    std::istringstream narrow(mapText(12, [](int, int) { return 1; }));
    EXPECT_FALSE(grid.load(narrow));
    EXPECT_EQ(grid.code(0, 12), 0);
}

TEST(TileGrid, LoadsByGameName)
{
    {
        std::ofstream out(testsupport::scratchRealPath("map_ok.txt"), std::ios::binary);
        out << "3 5 5 5 5 5 5 5 5 5 5 5\r\n";
        for (int r = 1; r < 7; ++r) out << "5 5 5 5 5 5 5 5 5 5 5 8\r\n";
    }
    TileGrid grid(12);
    ASSERT_TRUE(grid.loadFile(testsupport::scratchGamePath("map_ok.txt")));
    EXPECT_EQ(grid.code(0, 0), 3);
    EXPECT_EQ(grid.code(6, 11), 8);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(grid.loadFile(testsupport::scratchGamePath("no_such_map.txt")));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no_such_map.txt"), std::string::npos) << said;
    EXPECT_NE(said.find("cannot be opened"), std::string::npos) << said;
    EXPECT_EQ(grid.code(0, 0), 3);
}
