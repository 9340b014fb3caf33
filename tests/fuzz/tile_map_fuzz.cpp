// A tile map ("levels\mapN.txt") of any bytes; the first byte picks a narrow
// or a wide grid. The file is read again here, a character at a time: rows
// x columns decimal numbers, each 0 to 65535, white space before each; the
// grid loads exactly when that reading finds them all, and then holds them.
#include "fuzz_check.h"
#include "levels/tile_map.h"

#include <sstream>

namespace {

bool blank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The codes in reading order, or false at the first that is missing or out
// of range. A number ends at the first character that is not a digit.
bool readCodes(const std::string& text, std::size_t count, std::vector<long>& codes)
{
    std::size_t at = 0;
    while (codes.size() < count) {
        while (at < text.size() && blank(text[at]))
            ++at;
        bool negative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            negative = text[at++] == '-';
        const std::size_t digits = at;
        long value = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
            value = std::min(value * 10 + (text[at] - '0'), 1000000L);
        if (at == digits || (negative && value != 0) || value > 0xFFFF)
            return false;
        codes.push_back(value);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int columns = (data[0] & 1) ? tileMapNS::WIDE_COLS : tileMapNS::NARROW_COLS;
    const std::string text = fuzz::text(data + 1, size - 1);
    std::istringstream in(text);
    TileGrid grid(columns);
    std::string why;
    const bool loaded = grid.load(in, &why);
    fuzz::require(loaded || !why.empty(), "a refused map says why");

    std::vector<long> codes;
    const bool whole = readCodes(text, static_cast<std::size_t>(grid.rows() * grid.cols()), codes);
    fuzz::require(loaded == whole, "a map loads exactly when it holds rows x columns tile codes");
    Cell around[tileMapNS::MAX_CELLS_AROUND];
    for (int r = -1; r <= grid.rows(); ++r) {
        for (int c = -1; c <= grid.cols(); ++c) {
            const bool inside = grid.contains(r, c);
            const long expected = loaded && inside ? codes[static_cast<std::size_t>(r * grid.cols() + c)] : 0;
            fuzz::require(grid.code(r, c) == expected, "the grid holds the file's codes, row by row (0 around it)");
            fuzz::require(grid.isSolid(r, c) == (inside && grid.code(r, c) <= tileMapNS::LAST_SOLID_CODE),
                          "codes 0 to 4 are solid");
            fuzz::require(grid.solidCellsAround(Cell{r, c}, around) <= tileMapNS::MAX_CELLS_AROUND, "at most six cells");
        }
    }
    return 0;
}
