// Where each line of a DrawText call goes: line breaks, word wrapping and
// alignment inside a rectangle, measured with the font's own advances.
#pragma once

#include "win32_types.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct TextLine {
    size_t start = 0;   // byte offset into the text
    size_t length = 0;  // bytes drawn on this line
    int width = 0;      // pixels
    int x = 0;          // left of the line, after alignment
    int y = 0;          // top of the line
};

struct TextLayout {
    std::vector<TextLine> lines;
    int widest = 0;
    int height = 0;  // lines x line height
};

// `advance` gives the width of one character. Lines hold no line-break
// characters; wrapped lines drop the spaces they break at.
TextLayout layoutText(const std::string& text, const RECT& rect, DWORD format, int lineHeight,
                      const std::function<int(unsigned char)>& advance);

// What DrawText returns and what DT_CALCRECT writes back.
int drawTextResult(const TextLayout& layout, const RECT& rect, DWORD format);
RECT calcRect(const TextLayout& layout, const RECT& rect, DWORD format);

}  // namespace platform
