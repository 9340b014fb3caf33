#include "screens/screen_notice.h"

bool ScreenNotice::initialize(Graphics* graphics)
{
    if (!font.initialize(graphics, noticeNS::FONT_HEIGHT, true, false, "Arial"))
        return false;
    font.setFontColor(noticeNS::COLOR);
    return true;
}

void ScreenNotice::show(const std::string& text, float seconds)
{
    message = text;
    timeLeft = seconds;
}

void ScreenNotice::update(float frameTime)
{
    if (timeLeft > 0)
        timeLeft -= frameTime;
}

void ScreenNotice::draw()
{
    if (!shown())
        return;
    RECT area = noticeNS::AREA;
    font.print(message, area, DT_CENTER | DT_VCENTER | DT_WORDBREAK);
}
