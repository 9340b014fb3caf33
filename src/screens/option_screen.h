// The options: sound on or off, the difficulty, the rules book, back to the
// title. The current settings show in cyan, the highlighted item in black.
#pragma once

#include "screens/menu_cursor.h"
#include "screens/screen.h"

class OptionScreen : public Screen {
public:
    explicit OptionScreen(Voyage* voyage);
    void reset() override;
    void update(float frameTime) override;

    const MenuCursor& getCursor() const { return cursor; }

protected:
    void draw() override;

private:
    void choose(int item);
    bool isCurrentSetting(int item) const;

    MenuCursor cursor;
};
