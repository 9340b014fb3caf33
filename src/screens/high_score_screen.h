// The table of the ten best scores, and the way on from it: to the title
// menu, to the welcome screen after a lost game, or to the credits after a
// completed voyage.
#pragma once

#include "screens/screen.h"

class HighScoreScreen : public Screen {
public:
    explicit HighScoreScreen(Voyage* voyage);
    // Says what went wrong with the table's file since the last visit.
    void reset() override;
    void update(float frameTime) override;

    float getTimer() const { return timer; }

protected:
    void draw() override;

private:
    void leaveFor(const char* target);

    float timer = 0;  // cleared only when this screen leaves, not on entry
};
