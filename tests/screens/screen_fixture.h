// Screen tests drive the real game object headless: keys pressed for one
// frame, the first pad's buttons held, the clock stepped by hand.
#pragma once

#include "support/game_fixture.h"
#include "support/save_folder.h"

#include "engine/audio.h"

#include <string>
#include <vector>

class ScreenFixture : public GameFixture {
protected:
    void TearDown() override
    {
        if (pad >= 0)
            platform::testing::detachPad(pad);
        GameFixture::TearDown();
    }

    Input& input() { return *game->getInput(); }
    bool active(const std::string& stateName) { return game->findState(stateName)->getActive(); }
    template <typename T>
    T& screen(const std::string& stateName)
    {
        return *static_cast<T*>(game->findState(stateName));
    }
    // The one active state's name, or a list when there is not exactly one.
    std::string current()
    {
        std::string names;
        for (int i = 0; i < game->stateCount(); ++i)
            if (game->stateAt(i)->getActive())
                names += (names.empty() ? "" : "+") + game->stateAt(i)->getName();
        return names;
    }

    // Makes `stateName` current as the game would on the way there.
    void goTo(const std::string& stateName)
    {
        if (current() != stateName)
            game->switchState(stateName, current());
        frame(0.01f);
    }

    // The key goes down, one frame runs, the key comes up. Frames are at
    // most 0.1 s: the game counts a longer one as 0.1 s.
    void press(UCHAR key, float seconds = 0.02f)
    {
        input().keyDown(key);
        frame(seconds);
        input().keyUp(key);
    }
    void wait(float seconds, float step = 0.1f)
    {
        for (float t = 0; t + step / 2 < seconds; t += step)
            frame(step);
    }

    // Holds these pad buttons from the next frame on (0 lets go).
    void holdPad(WORD buttons)
    {
        if (pad < 0) {
            pad = platform::testing::attachPad();
            game->getInput()->checkControllers();
        }
        platform::testing::setPadButtons(pad, buttons);
        game->getInput()->readControllers();
    }

    testsupport::SaveFolder saves;
    int pad = -1;
};
