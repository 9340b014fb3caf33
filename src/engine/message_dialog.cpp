#include "engine/message_dialog.h"

#include "engine/input.h"

#include <algorithm>

namespace {

const char* const LABELS[2][2] = {{"OK", "CANCEL"}, {"YES", "NO"}};

bool inside(const RECT& r, float px, float py)
{
    return px >= static_cast<float>(r.left) && px <= static_cast<float>(r.right) &&
           py >= static_cast<float>(r.top) && py <= static_cast<float>(r.bottom);
}

RECT truncated(float left, float top, float right, float bottom)
{
    return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right), static_cast<LONG>(bottom)};
}

}  // namespace

MessageDialog::MessageDialog() = default;

MessageDialog::~MessageDialog() { onLostDevice(); }

bool MessageDialog::initialize(Graphics* g, Input* in, HWND hw)
{
    try {
        graphics = g;
        input = in;
        hwnd = hw;
        if (!dxFont.initialize(graphics, fontHeight(), false, false, fontName()))
            return false;
        dxFont.setFontColor(fontColor);
    } catch (...) {
        return false;
    }
    initialized = true;
    return true;
}

void MessageDialog::release(LP_VERTEXBUFFER& vb)
{
    if (vb != nullptr)
        vb->Release();
    vb = nullptr;
}

void MessageDialog::makeQuad(float left, float top, float right, float bottom, COLOR_ARGB color,
                             LP_VERTEXBUFFER& vb)
{
    const ColorVertex corners[4] = {{left, top, 0, 1, color},
                                    {right, top, 0, 1, color},
                                    {right, bottom, 0, 1, color},
                                    {left, bottom, 0, 1, color}};
    // A buffer that cannot be made stays null and is simply not drawn.
    if (FAILED(graphics->createVertexBuffer(corners, vb)))
        release(vb);
}

void MessageDialog::prepareVerts()
{
    using namespace messageDialogNS;
    release(dialogVerts);
    release(borderVerts);
    release(buttonVerts);
    release(button2Verts);
    if (graphics == nullptr)
        return;
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    makeQuad(x, y, x + w, y + h, borderColor, borderVerts);
    makeQuad(x + BORDER, y + BORDER, x + w - BORDER, y + h - BORDER, backColor, dialogVerts);

    const float top = y + h - BUTTON_FROM_BOTTOM, bottom = top + BUTTON_HEIGHT;
    const float centre = x + w / 2;
    makeQuad(centre - BUTTON_HALF_WIDTH, top, centre + BUTTON_HALF_WIDTH, bottom, buttonColor, buttonVerts);
    buttonRect = truncated(centre - BUTTON_HALF_WIDTH, top, centre + BUTTON_HALF_WIDTH, bottom);
    const float left2 = x + w - BUTTON2_FROM_RIGHT;
    makeQuad(left2, top, left2 + BUTTON_WIDTH, bottom, buttonColor, button2Verts);
    button2Rect = truncated(left2, top, left2 + BUTTON_WIDTH, bottom);
}

void MessageDialog::print(const std::string& message)
{
    using namespace messageDialogNS;
    if (!initialized || visible)
        return;
    text = message;
    const LONG left = static_cast<LONG>(x) + BORDER, top = static_cast<LONG>(y) + BORDER;
    textRect = RECT{left, top, left + static_cast<LONG>(width) - 2 * BORDER, top + static_cast<LONG>(HEIGHT) - 2 * BORDER};
    dxFont.print(text, textRect, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    // Room under the message for the buttons and a margin below them.
    const LONG needed = textRect.bottom - static_cast<LONG>(y) + static_cast<LONG>(BUTTON_FROM_BOTTOM) + BORDER;
    height = static_cast<UINT>(std::max<LONG>(static_cast<LONG>(HEIGHT), needed));
    textRect.left = left;  // the measure may have narrowed it
    textRect.right = left + static_cast<LONG>(width) - 2 * BORDER;
    prepareVerts();
    buttonClicked = 0;
    visible = true;
}

void MessageDialog::update()
{
    if (!initialized || !visible)
        return;
    if (input->wasActionPressed(Action::Choose)) {
        buttonClicked = 1;  // the box stays open
        return;
    }
    // Clicks land in the 800 x 600 game whatever size the window is.
    if (graphics != nullptr && !graphics->getFullscreen()) {
        RECT client{};
        GetClientRect(hwnd, &client);
        if (client.right > 0 && client.bottom > 0) {
            screenRatioX = static_cast<float>(graphicsNS::GAME_WIDTH) / static_cast<float>(client.right);
            screenRatioY = static_cast<float>(graphicsNS::GAME_HEIGHT) / static_cast<float>(client.bottom);
        }
    }
    if (!input->getMouseLButton())
        return;
    const float mx = static_cast<float>(input->getMouseX()) * screenRatioX;
    const float my = static_cast<float>(input->getMouseY()) * screenRatioY;
    if (inside(buttonRect, mx, my)) {
        visible = false;
        buttonClicked = 1;
    } else if (inside(button2Rect, mx, my)) {
        visible = false;
        buttonClicked = 2;
    }
}

void MessageDialog::drawBoxAndButtons()
{
    graphics->drawQuad(borderVerts);
    graphics->drawQuad(dialogVerts);
    graphics->drawQuad(buttonVerts);
    graphics->drawQuad(button2Verts);
}

void MessageDialog::printTextAndLabels()
{
    dxFont.setFontColor(fontColor);
    dxFont.print(text, textRect, DT_CENTER | DT_WORDBREAK);
    dxFont.setFontColor(buttonFontColor);
    const int type = buttonType == messageDialogNS::YES_NO ? 1 : 0;
    dxFont.print(LABELS[type][0], buttonRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    dxFont.print(LABELS[type][1], button2Rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void MessageDialog::draw()
{
    if (!visible || graphics == nullptr || !initialized)
        return;
    drawBoxAndButtons();
    graphics->spriteBegin();
    if (!text.empty())
        printTextAndLabels();
    graphics->spriteEnd();
}

void MessageDialog::onLostDevice()
{
    if (!initialized)
        return;
    dxFont.onLostDevice();
    release(dialogVerts);
    release(borderVerts);
    release(buttonVerts);
    release(button2Verts);
}

void MessageDialog::onResetDevice()
{
    if (!initialized)
        return;
    prepareVerts();
    dxFont.onResetDevice();
}
