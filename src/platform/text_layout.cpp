#include "text_layout.h"

#include "d3dx9.h"

#include <algorithm>

namespace platform {
namespace {

int measure(const std::string& text, size_t start, size_t length,
            const std::function<int(unsigned char)>& advance)
{
    int width = 0;
    for (size_t i = start; i < start + length; ++i)
        width += advance(static_cast<unsigned char>(text[i]));
    return width;
}

bool isBreak(char c) { return c == '\n' || c == '\r'; }

// Splits one paragraph (no line breaks in it) into lines no wider than
// `limit` where spaces allow; a word wider than the line stands alone.
void wrapParagraph(const std::string& text, size_t begin, size_t end, int limit,
                   const std::function<int(unsigned char)>& advance, std::vector<TextLine>& out)
{
    size_t lineStart = begin;
    while (true) {
        size_t lineEnd = lineStart;  // one past the last character kept
        size_t cursor = lineStart;
        int width = 0;
        while (cursor < end) {
            size_t wordEnd = cursor;
            while (wordEnd < end && text[wordEnd] == ' ')
                ++wordEnd;
            while (wordEnd < end && text[wordEnd] != ' ')
                ++wordEnd;
            int wordWidth = measure(text, cursor, wordEnd - cursor, advance);
            if (lineEnd > lineStart && width + wordWidth > limit)
                break;
            width += wordWidth;
            lineEnd = wordEnd;
            cursor = wordEnd;
        }
        out.push_back(TextLine{lineStart, lineEnd - lineStart, width, 0, 0});
        size_t next = lineEnd;
        while (next < end && text[next] == ' ')
            ++next;
        if (next >= end)
            break;
        // Spaces carried to the break do not count towards the line.
        TextLine& last = out.back();
        while (last.length > 0 && text[last.start + last.length - 1] == ' ')
            --last.length;
        last.width = measure(text, last.start, last.length, advance);
        lineStart = next;
    }
}

}  // namespace

TextLayout layoutText(const std::string& text, const RECT& rect, DWORD format, int lineHeight,
                      const std::function<int(unsigned char)>& advance)
{
    TextLayout layout;
    const bool single = (format & DT_SINGLELINE) != 0;
    const bool wrap = !single && (format & DT_WORDBREAK) != 0;
    const int rectWidth = rect.right - rect.left;

    if (single) {
        layout.lines.push_back(TextLine{0, text.size(), 0, 0, 0});
    } else {
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = start;
            while (end < text.size() && !isBreak(text[end]))
                ++end;
            if (wrap && end > start)
                wrapParagraph(text, start, end, rectWidth, advance, layout.lines);
            else
                layout.lines.push_back(TextLine{start, end - start, 0, 0, 0});
            if (end >= text.size())
                break;
            // "\r\n" is one break.
            start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
            if (start == text.size())
                break;
        }
    }

    for (TextLine& line : layout.lines) {
        if (single) {
            // Line breaks in a single line take no room.
            line.width = 0;
            for (size_t i = line.start; i < line.start + line.length; ++i)
                if (!isBreak(text[i]))
                    line.width += advance(static_cast<unsigned char>(text[i]));
        } else if (!wrap) {
            line.width = measure(text, line.start, line.length, advance);
        }
        layout.widest = std::max(layout.widest, line.width);
    }
    layout.height = static_cast<int>(layout.lines.size()) * lineHeight;

    int top = rect.top;
    if (format & DT_BOTTOM)
        top = rect.bottom - layout.height;
    else if (format & DT_VCENTER)
        top = rect.top + (rect.bottom - rect.top - layout.height) / 2;
    for (size_t i = 0; i < layout.lines.size(); ++i) {
        TextLine& line = layout.lines[i];
        if (format & DT_RIGHT)
            line.x = rect.right - line.width;
        else if (format & DT_CENTER)
            line.x = rect.left + (rectWidth - line.width) / 2;
        else
            line.x = rect.left;
        line.y = top + static_cast<int>(i) * lineHeight;
    }
    return layout;
}

int drawTextResult(const TextLayout& layout, const RECT& rect, DWORD format)
{
    if (layout.lines.empty())
        return 0;
    // Aligned to the middle or bottom, the answer is measured from the top
    // of the rectangle to the bottom of the text.
    if (format & (DT_VCENTER | DT_BOTTOM))
        return layout.lines.front().y - rect.top + layout.height;
    return layout.height;
}

RECT calcRect(const TextLayout& layout, const RECT& rect, DWORD format)
{
    RECT out = rect;
    out.bottom = rect.top + layout.height;
    if (format & DT_WORDBREAK && !(format & DT_SINGLELINE))
        out.right = std::max(rect.right, rect.left + layout.widest);  // keeps the width it wraps in
    else
        out.right = rect.left + layout.widest;
    return out;
}

}  // namespace platform
