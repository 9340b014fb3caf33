// The developer console: a grey panel dropped over the top-left corner that
// keeps the newest lines of its history and reads one command at a time.
#pragma once

#include "render/graphics.h"
#include "render/text_dx.h"

#include <deque>
#include <string>

class Input;

namespace consoleNS {
constexpr int WIDTH = 500;
constexpr int HEIGHT = 400;
constexpr int X = 5;
constexpr int Y = 5;
constexpr int MARGIN = 4;
constexpr int FONT_HEIGHT = 14;
constexpr const char* FONT = "Courier New";
constexpr COLOR_ARGB FONT_COLOR = graphicsNS::WHITE;
constexpr COLOR_ARGB BACK_COLOR = 0xC0808080;  // grey at 75 % opacity
constexpr int MAX_LINES = 256;
}  // namespace consoleNS

class Console {
public:
    Console();
    virtual ~Console();

    bool initialize(Graphics* graphics, Input* input);
    void draw();
    // Opens or closes the panel; the key that did it is swallowed.
    void showHide();
    bool getVisible() const { return visible; }
    void show() { visible = true; }
    void hide() { visible = false; }
    void print(const std::string& str);
    // A finished command line (Enter typed), or "" while one is being typed.
    std::string getCommand();
    std::string getInput();
    void clearInput();

    // Device-loss work, done by the game's releaseAll/resetAll.
    void onLostDevice();
    void onResetDevice();

    bool isInitialized() const { return initialized; }
    int getScrollAmount() const { return scrollAmount; }
    int getRows() const { return rows; }
    size_t lineCount() const { return text.size(); }
    const std::string& line(size_t newestFirst) const { return text[newestFirst]; }

    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

private:
    Graphics* graphics = nullptr;
    Input* input = nullptr;
    TextDX dxFont;
    float x = consoleNS::X;
    float y = consoleNS::Y;
    int rows = 0;
    std::string commandStr;
    std::string inputStr;
    std::deque<std::string> text;  // newest first
    RECT textRect{};
    COLOR_ARGB fontColor = consoleNS::FONT_COLOR;
    COLOR_ARGB backColor = consoleNS::BACK_COLOR;
    ColorVertex vtx[4]{};
    LP_VERTEXBUFFER vertexBuffer = nullptr;
    int scrollAmount = 0;
    bool initialized = false;
    bool visible = false;
};
