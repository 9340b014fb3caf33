#include "screens/screen_notice.h"

#include <cctype>

namespace {

bool endsPath(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == ':' || c == ',' || c == ')'; }

// A quad of `color` from (left, top) to (right, bottom), into `vb`.
void makeQuad(Graphics& graphics, float left, float top, float right, float bottom, COLOR_ARGB color,
              LP_VERTEXBUFFER& vb)
{
    const ColorVertex corners[4] = {{left, top, 0, 1, color},
                                    {right, top, 0, 1, color},
                                    {right, bottom, 0, 1, color},
                                    {left, bottom, 0, 1, color}};
    if (FAILED(graphics.createVertexBuffer(corners, vb)) && vb != nullptr) {
        vb->Release();
        vb = nullptr;
    }
}

}  // namespace

std::string noticeText(const std::string& problem)
{
    std::string out;
    for (size_t i = 0; i < problem.size();) {
        const bool startsWord = i == 0 || std::isspace(static_cast<unsigned char>(problem[i - 1]));
        if (startsWord && problem[i] == '/') {
            size_t end = i;
            while (end < problem.size() && !endsPath(problem[end]))
                ++end;
            std::string path = problem.substr(i, end - i);
            while (path.size() > 1 && path.back() == '/')
                path.pop_back();
            out += path.substr(path.find_last_of('/') + 1);
            i = end;
            continue;
        }
        out += problem[i++];
    }
    // " (KEELHAVEN_SAVE_DIR)" and the like: a name from the environment.
    for (size_t open = out.find(" ("); open != std::string::npos; open = out.find(" (", open + 1)) {
        const size_t close = out.find(')', open);
        if (close == std::string::npos)
            break;
        bool variable = close > open + 2;
        for (size_t k = open + 2; k < close; ++k)
            variable = variable && (std::isupper(static_cast<unsigned char>(out[k])) || out[k] == '_');
        if (variable)
            out.erase(open, close - open + 1);
    }
    return out;
}

ScreenNotice::~ScreenNotice() { releaseBacking(); }

bool ScreenNotice::initialize(Graphics* g)
{
    graphics = g;
    if (!font.initialize(graphics, noticeNS::FONT_HEIGHT, true, false, "Arial"))
        return false;
    font.setFontColor(noticeNS::COLOR);
    return true;
}

void ScreenNotice::show(const std::string& text, float seconds)
{
    message = noticeText(text);
    timeLeft = seconds;
}

void ScreenNotice::update(float frameTime)
{
    if (timeLeft > 0)
        timeLeft -= frameTime;
}

void ScreenNotice::drawBacking()
{
    if (!shown() || graphics == nullptr)
        return;
    using namespace noticeNS;
    const auto l = static_cast<float>(BAND.left), t = static_cast<float>(BAND.top);
    const auto r = static_cast<float>(BAND.right), b = static_cast<float>(BAND.bottom);
    if (edge == nullptr)
        makeQuad(*graphics, l, t, r, b, BACKING_EDGE, edge);
    if (backing == nullptr)
        makeQuad(*graphics, l + EDGE, t + EDGE, r - EDGE, b - EDGE, BACKING, backing);
    graphics->drawQuad(edge);
    graphics->drawQuad(backing);
}

void ScreenNotice::draw()
{
    if (!shown())
        return;
    using namespace noticeNS;
    RECT area{BAND.left + MARGIN, BAND.top + EDGE, BAND.right - MARGIN, BAND.bottom - EDGE};
    // Centred in the band, however many lines the words wrap to.
    RECT measured = area;
    font.print(message, measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    const LONG height = measured.bottom - measured.top;
    if (height < area.bottom - area.top)
        area.top += (area.bottom - area.top - height) / 2;
    font.print(message, area, DT_CENTER | DT_WORDBREAK);
}

void ScreenNotice::releaseBacking()
{
    for (LP_VERTEXBUFFER* vb : {&edge, &backing}) {
        if (*vb != nullptr)
            (*vb)->Release();
        *vb = nullptr;
    }
}

void ScreenNotice::onLostDevice()
{
    font.onLostDevice();
    releaseBacking();
}
