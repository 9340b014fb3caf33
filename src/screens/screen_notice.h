// A line of text a screen shows for a few seconds to say something went
// wrong without stopping the game ("There is no saved game").
#pragma once

#include "render/text_dx.h"

#include <string>

namespace noticeNS {
constexpr float SECONDS = 4.0f;
constexpr int FONT_HEIGHT = 22;
constexpr COLOR_ARGB COLOR = 0xFF8B1A10;  // dark red ink on the parchment
constexpr RECT AREA{40, 540, 760, 590};
}  // namespace noticeNS

class ScreenNotice {
public:
    // The font; false if it cannot be made.
    bool initialize(Graphics* graphics);
    void show(const std::string& text, float seconds = noticeNS::SECONDS);
    void hide() { timeLeft = 0; }
    bool shown() const { return timeLeft > 0; }
    const std::string& text() const { return message; }
    void update(float frameTime);
    // Inside the sprite batch.
    void draw();
    void onLostDevice() { font.onLostDevice(); }
    void onResetDevice() { font.onResetDevice(); }

private:
    TextDX font;
    std::string message;
    float timeLeft = 0;
};
