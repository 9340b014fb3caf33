// The two screens that end a run, the voyage completed or the last ship
// lost: a picture, the score panel and a box for the player's initials.
// Enter (or START) enters the ship's gold under the name typed and opens the
// high-score table. They differ only in the few things of EndOfRunStyle.
#pragma once

#include "engine/input_dialog.h"
#include "screens/screen.h"

#include <memory>

struct EndOfRunStyle {
    const char* name;
    const char* picture;
    const char* textureMessage;
    const char* imageMessage;
    bool afterGameOver;  // where the high-score table leads on to
    const char* music;
    bool stopsMusicOnLeave;
};

class EndOfRunScreen : public Screen {
public:
    EndOfRunScreen(Voyage* voyage, const EndOfRunStyle& style);
    void initialize() override;
    void reset() override;
    void leave() override;
    void update(float frameTime) override;
    void render() override;
    void releaseAll() override;
    void resetAll() override;

    const HighScoreBox& getNameBox() const { return *nameBox; }

protected:
    // The pictures, then the voyage's gold on the panel: the score the name
    // goes into the table with.
    void draw() override;

private:
    const EndOfRunStyle& style;
    std::unique_ptr<HighScoreBox> nameBox;
};

class CompleteScreen : public EndOfRunScreen {
public:
    explicit CompleteScreen(Voyage* voyage);
};

class GameOverScreen : public EndOfRunScreen {
public:
    explicit GameOverScreen(Voyage* voyage);
};
