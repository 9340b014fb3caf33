#include "engine/console.h"

#include "engine/input.h"

Console::Console()
{
    textRect = RECT{static_cast<LONG>(x + consoleNS::MARGIN), static_cast<LONG>(y + consoleNS::MARGIN),
                    static_cast<LONG>(x + consoleNS::WIDTH - consoleNS::MARGIN),
                    static_cast<LONG>(y + consoleNS::HEIGHT - consoleNS::MARGIN)};
}

Console::~Console()
{
    if (initialized)
        onLostDevice();
}

bool Console::initialize(Graphics* g, Input* in)
{
    try {
        graphics = g;
        input = in;
        const float corners[4][2] = {{x, y},
                                     {x + consoleNS::WIDTH, y},
                                     {x + consoleNS::WIDTH, y + consoleNS::HEIGHT},
                                     {x, y + consoleNS::HEIGHT}};
        for (int i = 0; i < 4; ++i) {
            vtx[i].x = corners[i][0];
            vtx[i].y = corners[i][1];
            vtx[i].z = 0.0f;
            vtx[i].rhw = 1.0f;
            vtx[i].color = backColor;
        }
        graphics->createVertexBuffer(vtx, vertexBuffer);

        if (!dxFont.initialize(graphics, consoleNS::FONT_HEIGHT, false, false, consoleNS::FONT))
            return false;
        dxFont.setFontColor(fontColor);
    } catch (...) {
        return false;
    }
    initialized = true;
    return true;
}

void Console::onLostDevice()
{
    dxFont.onLostDevice();
    if (vertexBuffer != nullptr) {
        vertexBuffer->Release();
        vertexBuffer = nullptr;
    }
}

void Console::onResetDevice()
{
    if (vertexBuffer == nullptr)
        graphics->createVertexBuffer(vtx, vertexBuffer);
    dxFont.onResetDevice();
}

void Console::draw()
{
    if (!visible || graphics == nullptr || !initialized)
        return;

    graphics->drawQuad(vertexBuffer);
    if (text.empty())
        return;

    graphics->spriteBegin();

    textRect.left = 0;
    textRect.top = 0;
    dxFont.print("|", textRect, DT_CALCRECT);
    int rowHeight = textRect.bottom + 2;
    if (rowHeight <= 0)
        rowHeight = 20;

    rows = (consoleNS::HEIGHT - 2 * consoleNS::MARGIN) / rowHeight - 2;
    if (rows <= 0)
        rows = 5;

    textRect.left = static_cast<LONG>(x + consoleNS::MARGIN);
    textRect.right += consoleNS::WIDTH - consoleNS::MARGIN;
    textRect.bottom = static_cast<LONG>(y + consoleNS::HEIGHT - 2 * consoleNS::MARGIN - 2 * rowHeight);
    // Newest line at the bottom, older lines upwards.
    for (int r = scrollAmount; r < rows + scrollAmount && r < static_cast<int>(text.size()); ++r) {
        textRect.top = textRect.bottom - rowHeight;
        dxFont.print(text[static_cast<size_t>(r)], textRect, 0);
        textRect.bottom -= rowHeight;
    }

    textRect.bottom = static_cast<LONG>(y + consoleNS::HEIGHT - consoleNS::MARGIN);
    textRect.top = textRect.bottom - rowHeight;
    std::string prompt(">");
    prompt += input->getTextIn();
    dxFont.print(prompt, textRect, 0);

    graphics->spriteEnd();
}

void Console::showHide()
{
    if (!initialized)
        return;
    visible = !visible;
    input->clear(inputNS::KEYS_PRESSED | inputNS::TEXT_IN);
}

void Console::print(const std::string& str)
{
    if (!initialized)
        return;
    text.push_front(str);
    if (text.size() > consoleNS::MAX_LINES)
        text.pop_back();
}

std::string Console::getCommand()
{
    if (!initialized || !visible)
        return "";

    if (input->wasKeyPressed(VK_ESCAPE))
        return "";

    if (input->wasKeyTyped(VK_UP))
        scrollAmount++;
    else if (input->wasKeyTyped(VK_DOWN))
        scrollAmount--;
    else if (input->wasKeyTyped(VK_PRIOR))
        scrollAmount += rows;
    else if (input->wasKeyTyped(VK_NEXT))
        scrollAmount -= rows;
    if (scrollAmount < 0)
        scrollAmount = 0;
    if (scrollAmount > consoleNS::MAX_LINES - 1)
        scrollAmount = consoleNS::MAX_LINES - 1;
    if (scrollAmount > static_cast<int>(text.size()) - 1)
        scrollAmount = static_cast<int>(text.size()) - 1;
    // An empty history would leave -1 from the clamp above.
    if (scrollAmount < 0)
        scrollAmount = 0;

    commandStr = input->getTextIn();
    // Nothing typed into the console may steer the game.
    input->clear(inputNS::KEYS_DOWN | inputNS::KEYS_PRESSED | inputNS::MOUSE);

    if (commandStr.empty() || commandStr.back() != '\r')
        return "";

    commandStr.pop_back();
    clearInput();
    inputStr = commandStr;
    return commandStr;
}

std::string Console::getInput()
{
    return input != nullptr ? input->getTextIn() : std::string();
}

void Console::clearInput()
{
    if (input != nullptr)
        input->clearTextIn();
}
