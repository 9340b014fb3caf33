// A box drawn over the game with flat quads and text: a message and two
// buttons, answered with Enter or a mouse click. The game object keeps one
// of these and one InputDialog; HighScoreBox is the one the player sees.
#pragma once

#include "render/graphics.h"
#include "render/text_dx.h"

#include <string>

class Input;

namespace messageDialogNS {
constexpr float X = 200, Y = 100;
constexpr UINT WIDTH = 400, HEIGHT = 100;
constexpr int BORDER = 5;
constexpr float BUTTON_HALF_WIDTH = 40.5f;
constexpr float BUTTON_WIDTH = 81;
constexpr float BUTTON2_FROM_RIGHT = 97.2f;
constexpr float BUTTON_FROM_BOTTOM = 32;
constexpr float BUTTON_HEIGHT = 22;
constexpr int FONT_HEIGHT = 18;
constexpr const char* FONT = "Arial";
constexpr COLOR_ARGB FONT_COLOR = 0xFFFFFFFF;
constexpr COLOR_ARGB BORDER_COLOR = 0xC0C0C0C0;
constexpr COLOR_ARGB BACK_COLOR = 0xFF6464C0;
constexpr COLOR_ARGB BUTTON_COLOR = 0xFF808080;
constexpr COLOR_ARGB BUTTON_FONT_COLOR = 0xFFFFFFFF;
enum ButtonType { OK_CANCEL, YES_NO };
}  // namespace messageDialogNS

class MessageDialog {
public:
    MessageDialog();
    virtual ~MessageDialog();

    // False if the font cannot be made (then the box never opens).
    bool initialize(Graphics* g, Input* in, HWND hw);
    // Builds the quads from the box's place and size.
    virtual void prepareVerts();
    virtual void update();
    // Inside a scene, outside any sprite batch: it opens its own.
    virtual void draw();
    virtual void onLostDevice();
    virtual void onResetDevice();

    // Opens the box with `message` above its two buttons, grown downwards
    // to fit the message; nothing while it is already open.
    void print(const std::string& message);
    void hide() { visible = false; }

    int getButtonClicked() const { return buttonClicked; }
    const std::string& getText() const { return text; }
    bool getVisible() const { return visible; }
    bool getInitialized() const { return initialized; }
    const RECT& getButtonRect() const { return buttonRect; }
    const RECT& getButton2Rect() const { return button2Rect; }
    float getX() const { return x; }
    float getY() const { return y; }
    UINT getHeight() const { return height; }
    UINT getWidth() const { return width; }

    void setPosition(float newX, float newY)
    {
        x = newX;
        y = newY;
    }
    void setFontColor(COLOR_ARGB c) { fontColor = c; }
    void setBorderColor(COLOR_ARGB c) { borderColor = c; }
    void setBackColor(COLOR_ARGB c) { backColor = c; }
    void setButtonColor(COLOR_ARGB c) { buttonColor = c; }
    void setButtonFontColor(COLOR_ARGB c) { buttonFontColor = c; }
    void setButtonType(int type) { buttonType = type; }

    MessageDialog(const MessageDialog&) = delete;
    MessageDialog& operator=(const MessageDialog&) = delete;

protected:
    // The font each kind of box writes with.
    virtual int fontHeight() const { return messageDialogNS::FONT_HEIGHT; }
    virtual const char* fontName() const { return messageDialogNS::FONT; }
    // One quad, corners clockwise from the top-left, into a new buffer.
    void makeQuad(float left, float top, float right, float bottom, COLOR_ARGB color, LP_VERTEXBUFFER& vb);
    static void release(LP_VERTEXBUFFER& vb);
    void drawBoxAndButtons();
    void printTextAndLabels();

    Graphics* graphics = nullptr;  // not owned
    Input* input = nullptr;        // not owned
    TextDX dxFont;
    float x = messageDialogNS::X, y = messageDialogNS::Y;
    UINT height = messageDialogNS::HEIGHT;
    UINT width = messageDialogNS::WIDTH;
    std::string text;
    RECT textRect{205, 105, 595, 195};
    RECT buttonRect{};
    RECT button2Rect{};
    COLOR_ARGB fontColor = messageDialogNS::FONT_COLOR;
    COLOR_ARGB borderColor = messageDialogNS::BORDER_COLOR;
    COLOR_ARGB backColor = messageDialogNS::BACK_COLOR;
    COLOR_ARGB buttonColor = messageDialogNS::BUTTON_COLOR;
    COLOR_ARGB buttonFontColor = messageDialogNS::BUTTON_FONT_COLOR;
    LP_VERTEXBUFFER dialogVerts = nullptr;
    LP_VERTEXBUFFER borderVerts = nullptr;
    LP_VERTEXBUFFER buttonVerts = nullptr;
    LP_VERTEXBUFFER button2Verts = nullptr;
    int buttonClicked = 0;  // 0 none, 1 the first button, 2 the second
    int buttonType = messageDialogNS::OK_CANCEL;
    bool initialized = false;
    bool visible = false;
    HWND hwnd = nullptr;
    float screenRatioX = 1, screenRatioY = 1;
};
