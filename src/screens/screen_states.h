// The screens around the levels. Each is a state of its own in the game's
// list; their menus, pictures and music are built on this skeleton.
#pragma once

#include "app/game_state.h"

class Keelhaven;

// A screen that knows its name and the game object; nothing more yet.
class Screen : public GameState {
public:
    Screen(Keelhaven* game, const char* stateName) : keelhaven(game) { setName(stateName); }

protected:
    Keelhaven* keelhaven;  // not owned
};

class FrontEnd : public Screen {
public:
    explicit FrontEnd(Keelhaven* game) : Screen(game, "FRONTEND") {}
};

class TitleScreen : public Screen {
public:
    explicit TitleScreen(Keelhaven* game) : Screen(game, "TITLESCREEN") {}
};

class OptionScreen : public Screen {
public:
    explicit OptionScreen(Keelhaven* game) : Screen(game, "OPTIONSCREEN") {}
};

class PauseScreen : public Screen {
public:
    explicit PauseScreen(Keelhaven* game) : Screen(game, "PAUSESCREEN") {}
};

class GameOverScreen : public Screen {
public:
    explicit GameOverScreen(Keelhaven* game) : Screen(game, "GAMEOVER") {}
};

class CompleteScreen : public Screen {
public:
    explicit CompleteScreen(Keelhaven* game) : Screen(game, "COMPLETE") {}
};

// The maker's logo: the one state active when the game starts.
class LogoScreen : public Screen {
public:
    explicit LogoScreen(Keelhaven* game) : Screen(game, "LOGO") { setActive(true); }
};

class IntroScreen : public Screen {
public:
    explicit IntroScreen(Keelhaven* game) : Screen(game, "INTRO") {}
};

class InstructionsScreen : public Screen {
public:
    explicit InstructionsScreen(Keelhaven* game) : Screen(game, "INSTRUCTIONS") {}
};

class CreditScreen : public Screen {
public:
    explicit CreditScreen(Keelhaven* game) : Screen(game, "CREDITS") {}
};

class HighScoreScreen : public Screen {
public:
    explicit HighScoreScreen(Keelhaven* game) : Screen(game, "HIGHSCORE") {}
};

class UpgradeScreen : public Screen {
public:
    explicit UpgradeScreen(Keelhaven* game) : Screen(game, "UPGRADESCREEN") {}
};
