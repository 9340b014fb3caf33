// A few lines a screen shows for a few seconds to say something went wrong
// without stopping the game ("There is no saved game"), in a band of their
// own: a backing inside the screen's frame, clear of its hint and
// copyright lines, the text wrapped to fit.
#pragma once

#include "render/text_dx.h"

#include <string>

namespace noticeNS {
constexpr float SECONDS = 4.0f;
constexpr int FONT_HEIGHT = 18;
constexpr COLOR_ARGB COLOR = 0xFF8B1A10;         // dark red ink
constexpr COLOR_ARGB BACKING = 0xF0F3E6C8;       // pale parchment, nearly opaque
constexpr COLOR_ARGB BACKING_EDGE = 0xFF8B1A10;  // a thin rule in the ink's colour
constexpr RECT BAND{70, 512, 730, 568};
constexpr int EDGE = 2;
constexpr int MARGIN = 10;  // between the band's edge and the text
}  // namespace noticeNS

// What the player is shown of a problem: every folder path cut down to the
// file or folder it names, and the environment variables left out (the
// whole text goes to standard error where it arises).
std::string noticeText(const std::string& problem);

class ScreenNotice {
public:
    ~ScreenNotice();

    // The font; false if it cannot be made.
    bool initialize(Graphics* graphics);
    void show(const std::string& text, float seconds = noticeNS::SECONDS);
    void hide() { timeLeft = 0; }
    bool shown() const { return timeLeft > 0; }
    // What is shown: the text given to show, as noticeText makes it.
    const std::string& text() const { return message; }
    void update(float frameTime);
    // The backing, outside any sprite batch.
    void drawBacking();
    // The text, inside a sprite batch.
    void draw();
    void onLostDevice();
    void onResetDevice() { font.onResetDevice(); }

private:
    void releaseBacking();

    Graphics* graphics = nullptr;
    TextDX font;
    std::string message;
    float timeLeft = 0;
    LP_VERTEXBUFFER edge = nullptr;  // made when first drawn, again after a reset
    LP_VERTEXBUFFER backing = nullptr;
};
