#include "engine/input_dialog.h"

#include "engine/input.h"

#include <algorithm>

InputDialog::~InputDialog() { release(inTextVerts); }

void InputDialog::prepareVerts()
{
    using namespace inputDialogNS;
    MessageDialog::prepareVerts();
    release(inTextVerts);
    if (graphics == nullptr)
        return;
    const float left = x + ENTRY_LEFT;
    const float top = y + static_cast<float>(height) - ENTRY_FROM_BOTTOM;
    const float right = x + static_cast<float>(width) - ENTRY_RIGHT_GAP;
    const float bottom = top + ENTRY_HEIGHT;
    makeQuad(left, top, right, bottom, textBackColor, inTextVerts);
    inTextRect = RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                      static_cast<LONG>(bottom)};
}

void InputDialog::update()
{
    MessageDialog::update();
    if (initialized && visible)
        inText = input->getTextIn();
    else if (buttonClicked == 2)
        inText.clear();
}

void InputDialog::printEntry()
{
    dxFont.setFontColor(textFontColor);
    tempRect = inTextRect;
    dxFont.print(inText, tempRect, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_CALCRECT);
    const UINT align = tempRect.right > inTextRect.right ? DT_RIGHT : DT_LEFT;
    dxFont.print(inText, inTextRect, DT_SINGLELINE | align | DT_VCENTER);
}

void InputDialog::draw()
{
    if (!visible || graphics == nullptr || !initialized)
        return;
    drawBoxAndButtons();
    graphics->drawQuad(inTextVerts);
    graphics->spriteBegin();
    if (!text.empty()) {
        printTextAndLabels();
        printEntry();
    }
    graphics->spriteEnd();
}

void InputDialog::onLostDevice()
{
    if (!initialized)
        return;
    MessageDialog::onLostDevice();
    release(inTextVerts);
}

void HighScoreBox::print(const std::string& prompt)
{
    if (!initialized || visible)
        return;
    text = prompt + highScoreBoxNS::LINE_ENDS;
    // Measured in the default 400 x 100 box, whatever size it has now.
    textRect = RECT{static_cast<LONG>(x + 5), static_cast<LONG>(y + 5), static_cast<LONG>(x + 395),
                    static_cast<LONG>(y + 95)};
    dxFont.print(text, textRect, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    height = static_cast<UINT>(std::max<LONG>(0, textRect.bottom - static_cast<LONG>(y) + 10));
    prepareVerts();
    inText.clear();
    input->clearTextIn();
    buttonClicked = 0;
    visible = true;
}

// The name box draws no buttons, so no click may close it: a click on the
// spot where a button would be used to hide the box while a name was being
// typed. Enter still counts as its first button.
void HighScoreBox::update()
{
    if (initialized && visible && input->wasActionPressed(Action::Choose))
        buttonClicked = 1;
    if (initialized && visible) {
        // A fourth letter is never kept, in the box or in the typed text.
        inText = input->getTextIn().substr(0, highScoreBoxNS::NAME_LENGTH);
        input->setTextIn(inText);
    } else if (buttonClicked == 2) {
        inText.clear();
    }
}

void HighScoreBox::draw()
{
    if (!visible || graphics == nullptr || !initialized)
        return;
    graphics->drawQuad(inTextVerts);
    graphics->spriteBegin();
    if (!text.empty()) {
        dxFont.setFontColor(fontColor);
        dxFont.print(text, textRect, DT_CENTER | DT_WORDBREAK);
        printEntry();
    }
    graphics->spriteEnd();
}
