#include "levels/tile_map.h"

#include "files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

using namespace tileMapNS;

namespace {

// Far enough off to be outside any grid, small enough that neighbours of it
// (one either side) stay well inside int.
constexpr float FAR_OFF = 1.0e6f;

int truncatedCell(float offset)
{
    const float cells = offset / static_cast<float>(TILE_PITCH);
    if (std::isnan(cells))
        return static_cast<int>(-FAR_OFF);
    return static_cast<int>(std::clamp(cells, -FAR_OFF, FAR_OFF));  // the cast truncates toward zero
}

}  // namespace

TileGrid::TileGrid(int columns) : columns(std::clamp(columns, 1, WIDE_COLS)) {}

bool TileGrid::load(std::istream& in, std::string* why)
{
    // The caller's stream may have been left in hex or without skipws.
    const std::ios_base::fmtflags savedFlags = in.flags();
    in.setf(std::ios_base::dec, std::ios_base::basefield);
    in.setf(std::ios_base::skipws);

    std::array<std::uint16_t, MAP_ROWS * WIDE_COLS> read{};
    std::string fault;
    for (int r = 0; fault.empty() && r < MAP_ROWS; ++r) {
        for (int c = 0; fault.empty() && c < columns; ++c) {
            long long value = -1;
            if (!(in >> value))
                fault = in.eof() ? "it ends before row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1)
                                 : "row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) +
                                       " is not a tile code";
            else if (value < 0 || value > 0xFFFF)
                fault = "row " + std::to_string(r + 1) + ", column " + std::to_string(c + 1) + " holds " +
                        std::to_string(value) + ", not a tile code";
            else
                read[index(r, c)] = static_cast<std::uint16_t>(value);
        }
    }
    in.flags(savedFlags);
    if (!fault.empty()) {
        if (why)
            *why = fault;
        return false;
    }
    codes = read;
    return true;
}

bool TileGrid::loadFile(const std::string& gamePath)
{
    const std::string path = platform::resolvePath(gamePath);
    std::ifstream in(path);
    std::string why = "it cannot be opened";
    if (in && load(in, &why))
        return true;
    // The game's message names no file; this line does.
    std::fprintf(stderr, "Keelhaven: the tile map %s is refused: %s\n", path.c_str(), why.c_str());
    return false;
}

Cell TileGrid::cellOf(float x, float y, float mapX, float mapY)
{
    return Cell{truncatedCell(y - mapY), truncatedCell(x - mapX)};
}

int TileGrid::solidCellsAround(Cell topLeft, Cell (&out)[MAX_CELLS_AROUND]) const
{
    // The neighbourhood clipped to the grid first, in a type wide enough that
    // the neighbours of an extreme cell cannot overflow.
    const long long firstRow = std::max<long long>(topLeft.row, 0);
    const long long lastRow = std::min<long long>(static_cast<long long>(topLeft.row) + 1, MAP_ROWS - 1);
    const long long firstCol = std::max<long long>(static_cast<long long>(topLeft.col) - 1, 0);
    const long long lastCol = std::min<long long>(static_cast<long long>(topLeft.col) + 1, columns - 1);
    int count = 0;
    for (long long r = firstRow; r <= lastRow; ++r) {
        for (long long c = firstCol; c <= lastCol; ++c) {
            const int row = static_cast<int>(r);
            const int col = static_cast<int>(c);
            if (codes[index(row, col)] <= LAST_SOLID_CODE)
                out[count++] = Cell{row, col};
        }
    }
    return count;
}
