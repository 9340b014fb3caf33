// The story so far, on one picture; it moves on by itself after a while.
#pragma once

#include "screens/screen.h"

class IntroScreen : public Screen {
public:
    explicit IntroScreen(Voyage* voyage);
    void update(float frameTime) override;

private:
    float timer = 0;
};
