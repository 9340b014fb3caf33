// A tile map ("levels\mapN.txt") of any bytes; the first byte picks a narrow
// or a wide grid.
#include "fuzz_check.h"
#include "levels/tile_map.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int columns = (data[0] & 1) ? tileMapNS::WIDE_COLS : tileMapNS::NARROW_COLS;
    std::istringstream in(fuzz::text(data + 1, size - 1));
    TileGrid grid(columns);
    const bool loaded = grid.load(in);
    Cell around[tileMapNS::MAX_CELLS_AROUND];
    for (int r = -1; r <= grid.rows(); ++r) {
        for (int c = -1; c <= grid.cols(); ++c) {
            if (!loaded)
                fuzz::require(grid.code(r, c) == 0, "a refused map leaves the grid as it was");
            fuzz::require(grid.solidCellsAround(Cell{r, c}, around) <= tileMapNS::MAX_CELLS_AROUND, "at most six cells");
        }
    }
    return 0;
}
