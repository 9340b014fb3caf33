// The game's window, its procedure, and the message loop that hands every
// idle moment to the game.
#pragma once

#include "engine/game.h"
#include "win32_window.h"

#include <functional>
#include <string>

// Runs `newGame` (taking ownership) in a new window until it quits or fails;
// returns the process exit code. `onFatalError` hears a fatal error's text
// first, before the window goes and the error box waits for the player.
int playGame(Game* newGame, HINSTANCE instance, int cmdShow,
             const std::function<void(const std::string&)>& onFatalError = {});

bool createMainWindow(HWND& hwnd, HINSTANCE instance, int cmdShow);
LRESULT WinProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
