// The program's entry: the window, its procedure, and the message loop that
// hands every idle moment to the game.
#pragma once

#include "app/game.h"
#include "win32_window.h"

int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow);

// Runs `newGame` (taking ownership) in a new window until it quits or fails;
// returns the process exit code. WinMain plays the Keelhaven game with it.
int playGame(Game* newGame, HINSTANCE instance, int cmdShow);

bool createMainWindow(HWND& hwnd, HINSTANCE instance, int cmdShow);
LRESULT WinProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
