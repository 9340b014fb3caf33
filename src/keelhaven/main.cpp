#include "keelhaven/winmain.h"

// The command line is ignored.
int main()
{
    return WinMain(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
}
