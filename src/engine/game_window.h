// The game's window, its procedure, and the message loop that hands every
// idle moment to the game.
#pragma once

#include "engine/game.h"
#include "win32_window.h"

// Runs `newGame` (taking ownership) in a new window until it quits or fails;
// returns the process exit code.
int playGame(Game* newGame, HINSTANCE instance, int cmdShow);

bool createMainWindow(HWND& hwnd, HINSTANCE instance, int cmdShow);
LRESULT WinProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
