// What a game object draws with, reads and plays through: handed to the
// ship, the enemies and the rest instead of the whole game. None is owned.
#pragma once

class Audio;
class Graphics;
class Input;

struct EngineServices {
    Graphics* graphics = nullptr;
    Input* input = nullptr;
    Audio* audio = nullptr;
};
