// The chandler's shop between levels: better sails, a stronger hull, a
// heavier cannon, single cannonballs and extra lives for the ship's gold,
// then Proceed to the next level.
#pragma once

#include "render/text_dx.h"
#include "screens/menu_cursor.h"
#include "screens/screen.h"

class Ship;

class UpgradeScreen : public Screen {
public:
    explicit UpgradeScreen(Voyage* voyage);
    void initialize() override;
    void update(float frameTime) override;
    void releaseAll() override;
    void resetAll() override;
    // The mouse starts afresh; the highlight stays where it was left.
    void reset() override;

    const MenuCursor& getCursor() const { return cursor; }

protected:
    void draw() override;

private:
    void buy(int item);
    COLOR_ARGB itemColor(int item);
    COLOR_ARGB priceColor(int item);

    Ship* ship;  // not owned
    MenuCursor cursor;
    TextDX font;  // the gold
};
