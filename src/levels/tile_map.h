// The tile grid of a level: 7 rows of 12 (or, in the wide levels, 24) tile
// codes read from "levels\mapN.txt". Codes 0 to 4 are solid (land, rocks),
// 5 and above open water. The grid answers which cell a position is in and
// which solid cells around it a moving entity must be tested against; that
// runs every frame, so nothing here allocates after construction.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>

namespace tileMapNS {
constexpr int TILE_PITCH = 65;  // pixels, both ways
constexpr int MAP_ROWS = 7;
constexpr int NARROW_COLS = 12;  // levels 1 to 20
constexpr int WIDE_COLS = 24;    // levels 21 to 31
constexpr std::uint16_t LAST_SOLID_CODE = 4;
constexpr int MAX_CELLS_AROUND = 6;
}  // namespace tileMapNS

struct Cell {
    int row = 0;
    int col = 0;
    bool operator==(const Cell&) const = default;
};

class TileGrid {
public:
    // `columns` is NARROW_COLS or WIDE_COLS; anything outside 1..WIDE_COLS is
    // brought into that range. Every cell starts as code 0.
    explicit TileGrid(int columns);

    // Reads rows() x cols() decimal codes separated by any white space, row
    // by row. Returns false, leaving the grid as it was, when there are fewer
    // readable numbers or one is negative or above 65535. Nothing after the
    // last code is read. `why`, when given, says what was wrong.
    bool load(std::istream& in, std::string* why = nullptr);
    // The same from a file named game-style ("levels\\map1.txt"); false if it
    // cannot be opened. A refused map is named on standard error.
    bool loadFile(const std::string& gamePath);

    int rows() const { return tileMapNS::MAP_ROWS; }
    int cols() const { return columns; }
    bool contains(int row, int col) const { return row >= 0 && row < rows() && col >= 0 && col < columns; }
    // 0 outside the grid.
    std::uint16_t code(int row, int col) const { return contains(row, col) ? codes[index(row, col)] : 0; }
    // False outside the grid: nothing there is ever tested.
    bool isSolid(int row, int col) const
    {
        return contains(row, col) && codes[index(row, col)] <= tileMapNS::LAST_SOLID_CODE;
    }

    // The cell holding screen position (x, y) when cell (0, 0) has its
    // top-left corner at (mapX, mapY): each coordinate divided by the pitch
    // and truncated toward zero, so up to one tile left of or above the map
    // still counts as column or row 0. Positions too far off to be a cell
    // (or not numbers at all) give a cell far outside the grid.
    static Cell cellOf(float x, float y, float mapX, float mapY);

    // The solid cells among (row, col-1), (row, col), (row, col+1),
    // (row+1, col-1), (row+1, col), (row+1, col+1), in that order, skipping
    // any outside the grid; `topLeft` is the cell of an entity's top-left
    // corner. Returns how many were written to `out`.
    int solidCellsAround(Cell topLeft, Cell (&out)[tileMapNS::MAX_CELLS_AROUND]) const;

private:
    size_t index(int row, int col) const { return static_cast<size_t>(row) * tileMapNS::WIDE_COLS + col; }

    int columns;
    std::array<std::uint16_t, tileMapNS::MAP_ROWS * tileMapNS::WIDE_COLS> codes{};
};
