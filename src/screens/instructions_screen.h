// The rules book: seven pages turned with two scimitar arrows.
#pragma once

#include "screens/menu_cursor.h"
#include "screens/screen.h"

class InstructionsScreen : public Screen {
public:
    explicit InstructionsScreen(Voyage* voyage);
    void reset() override;
    void leave() override;
    void update(float frameTime) override;

    int getPage() const { return page; }
    int getArrow() const { return arrow; }

protected:
    void draw() override;

private:
    void turn(int by);

    MenuCursor latch;  // only its latch is used: the pages are not a menu
    int arrow = 0;     // 0 back, 1 forward
    int page = 0;
    float timer = 0;
};
