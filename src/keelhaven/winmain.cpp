#include "keelhaven/winmain.h"

#include "keelhaven/keelhaven.h"
#include "keelhaven/replay_session.h"

int WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow)
{
    return playKeepingCrashRecording([] { return std::make_unique<Keelhaven>(); }, instance, cmdShow);
}
