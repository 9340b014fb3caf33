#include "d3dx9.h"
#include "text_layout.h"

#include <gtest/gtest.h>

using platform::layoutText;

namespace {
// Every character 10 pixels wide; lines 20 high.
int tenEach(unsigned char c) { return (c == '\n' || c == '\r') ? 0 : 10; }
std::string lineText(const std::string& s, const platform::TextLine& l) { return s.substr(l.start, l.length); }
}  // namespace

TEST(TextLayout, AlignsEachLineInsideTheRectangle)
{
    RECT r{100, 50, 300, 150};
    auto left = layoutText("abcd", r, DT_LEFT, 20, tenEach);
    auto centre = layoutText("abcd", r, DT_CENTER, 20, tenEach);
    auto right = layoutText("abcd", r, DT_RIGHT, 20, tenEach);
    EXPECT_EQ(left.lines[0].x, 100);
    EXPECT_EQ(centre.lines[0].x, 180);
    EXPECT_EQ(right.lines[0].x, 260);
    auto middle = layoutText("abcd", r, DT_SINGLELINE | DT_VCENTER, 20, tenEach);
    EXPECT_EQ(middle.lines[0].y, 90);
    EXPECT_EQ(platform::drawTextResult(middle, r, DT_SINGLELINE | DT_VCENTER), 60);
    auto bottom = layoutText("abcd", r, DT_SINGLELINE | DT_BOTTOM, 20, tenEach);
    EXPECT_EQ(bottom.lines[0].y, 130);
}

TEST(TextLayout, BreaksAtLineEndsUnlessSingleLine)
{
    RECT r{0, 0, 800, 600};
    std::string s = "one\r\ntwo\nthree";
    auto multi = layoutText(s, r, DT_LEFT, 20, tenEach);
    ASSERT_EQ(multi.lines.size(), 3u);
    EXPECT_EQ(lineText(s, multi.lines[1]), "two");
    EXPECT_EQ(multi.lines[2].y, 40);
    EXPECT_EQ(multi.height, 60);
    auto single = layoutText(s, r, DT_SINGLELINE, 20, tenEach);
    ASSERT_EQ(single.lines.size(), 1u);
    EXPECT_EQ(single.lines[0].width, 110);  // the breaks take no room
}

TEST(TextLayout, WordBreakWrapsAtSpacesAndKeepsLongWordsWhole)
{
    RECT r{0, 0, 100, 600};  // ten characters a line
    std::string s = "the sea is wide tonight extraordinarily";
    auto wrapped = layoutText(s, r, DT_WORDBREAK, 20, tenEach);
    ASSERT_EQ(wrapped.lines.size(), 4u);
    EXPECT_EQ(lineText(s, wrapped.lines[0]), "the sea is");
    EXPECT_EQ(lineText(s, wrapped.lines[1]), "wide");
    EXPECT_EQ(lineText(s, wrapped.lines[2]), "tonight");
    EXPECT_EQ(lineText(s, wrapped.lines[3]), "extraordinarily");
    EXPECT_EQ(wrapped.lines[3].width, 150);
    // Without the flag nothing wraps.
    EXPECT_EQ(layoutText(s, r, DT_LEFT, 20, tenEach).lines.size(), 1u);
}

TEST(TextLayout, CalcRectBoundsTheText)
{
    RECT r{10, 20, 500, 30};
    auto one = layoutText("abc", r, DT_LEFT, 20, tenEach);
    RECT measured = platform::calcRect(one, r, DT_LEFT);
    EXPECT_EQ(measured.right, 40);
    EXPECT_EQ(measured.bottom, 40);
    RECT narrow{0, 0, 100, 0};
    auto wrapped = layoutText("aaaa bbbb cccc", narrow, DT_WORDBREAK, 20, tenEach);
    measured = platform::calcRect(wrapped, narrow, DT_WORDBREAK);
    EXPECT_EQ(measured.right, 100) << "a wrapped text keeps the width it wraps in";
    EXPECT_EQ(measured.bottom, 40);
}
