// The program's entry, as Windows names it: plays Keelhaven in its window.
#pragma once

#include "win32_window.h"

int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow);
