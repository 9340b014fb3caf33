// The welcome screen: press Enter (or START) to set sail.
#pragma once

#include "screens/screen.h"

class FrontEnd : public Screen {
public:
    explicit FrontEnd(Voyage* voyage);
    void update(float frameTime) override;

private:
    float timer = 0;
};
