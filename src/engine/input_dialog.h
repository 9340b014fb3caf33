// Dialogs with a one-line entry fed by the keyboard's typed characters:
// InputDialog, and HighScoreBox, the three-letter name box of the end screens.
#pragma once

#include "engine/message_dialog.h"

namespace inputDialogNS {
constexpr COLOR_ARGB TEXT_BACK_COLOR = 0xFFFFFFFF;
constexpr COLOR_ARGB TEXT_FONT_COLOR = 0xFF000000;
constexpr float ENTRY_LEFT = 10;         // from the box's left edge
constexpr float ENTRY_FROM_BOTTOM = 65;  // top, from the box's bottom edge
constexpr float ENTRY_RIGHT_GAP = 250;   // right, from the box's right edge
constexpr float ENTRY_HEIGHT = 38;
}  // namespace inputDialogNS

class InputDialog : public MessageDialog {
public:
    ~InputDialog() override;

    void prepareVerts() override;
    void update() override;
    void draw() override;
    void onLostDevice() override;

    const std::string& getInText() const { return inText; }
    const RECT& getInTextRect() const { return inTextRect; }
    void setTextBackColor(COLOR_ARGB c) { textBackColor = c; }
    void setTextFontColor(COLOR_ARGB c) { textFontColor = c; }

protected:
    // The entry text in its box, right-aligned once it is too long to show
    // whole, so its end stays in view. Inside the sprite batch.
    void printEntry();

    std::string inText;
    RECT inTextRect{};
    RECT tempRect{};
    COLOR_ARGB textBackColor = inputDialogNS::TEXT_BACK_COLOR;
    COLOR_ARGB textFontColor = inputDialogNS::TEXT_FONT_COLOR;
    LP_VERTEXBUFFER inTextVerts = nullptr;
};

namespace highScoreBoxNS {
constexpr size_t NAME_LENGTH = 3;
constexpr int FONT_HEIGHT = 50;
constexpr const char* FONT = "Stencil";
constexpr const char* LINE_ENDS = "\n\n\n\n\n";  // room under the prompt for the entry
}  // namespace highScoreBoxNS

class HighScoreBox : public InputDialog {
public:
    // Opens the box under `prompt`, sized to it; nothing while it is open.
    void print(const std::string& prompt);
    void update() override;
    // Only the entry box and its text.
    void draw() override;

protected:
    int fontHeight() const override { return highScoreBoxNS::FONT_HEIGHT; }
    const char* fontName() const override { return highScoreBoxNS::FONT; }
};
