// The credits, scrolling up over a picture, with their own music.
#pragma once

#include "screens/screen.h"

class CreditScreen : public Screen {
public:
    explicit CreditScreen(Voyage* voyage);
    void leave() override;
    void update(float frameTime) override;

    float getScroll() const { return scroll; }

private:
    void returnFromCredits();

    float timer = 0;
    float scroll = 0;  // how far the text has moved up: 0 or negative
};
