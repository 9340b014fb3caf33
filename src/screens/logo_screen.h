// The maker's logo climbing out of a pool: the first thing the game shows.
#pragma once

#include "screens/screen.h"

class LogoScreen : public Screen {
public:
    explicit LogoScreen(Voyage* voyage);
    void initialize() override;
    void update(float frameTime) override;

protected:
    void draw() override;

private:
    float timer = 0;
    float rise = 0;  // how far the climb has gone
};
