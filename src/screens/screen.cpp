#include "screens/screen.h"

#include "base/game_error.h"
#include "engine/audio.h"
#include "engine/game.h"
#include "engine/input.h"
#include "render/graphics.h"
#include "screens/menu_cursor.h"
#include "voyage/voyage.h"

Screen::Screen(Voyage* voyage, const char* stateName, std::vector<ScreenPicture> pictures,
               std::vector<ScreenImage> imageList, const char* musicCue)
    : voyage(voyage), game(&voyage->engine()), graphics(game->getGraphics()), input(game->getInput()),
      audio(game->getAudio()),
      pictureTable(std::move(pictures)), imageTable(std::move(imageList)), music(musicCue)
{
    setName(stateName);
}

Screen::~Screen() = default;

void Screen::initialize()
{
    if (loaded)
        return;
    textures.clear();
    images.assign(imageTable.size(), Image());
    for (size_t p = 0; p < pictureTable.size(); ++p) {
        auto manager = std::make_unique<TextureManager>();
        // A picture that does not load leaves an empty texture: as fatal
        // here as a list that cannot be read.
        if (!manager->initialize(graphics, pictureTable[p].file) || manager->getTexture(0) == nullptr)
            throw GameError(FATAL_ERROR, pictureTable[p].message);
        textures.push_back(std::move(manager));
        for (size_t i = 0; i < imageTable.size(); ++i) {
            const ScreenImage& entry = imageTable[i];
            if (entry.picture != static_cast<int>(p))
                continue;
            if (!images[i].initialize(graphics, entry.width, entry.height, entry.columns, textures.back().get()))
                throw GameError(FATAL_ERROR, entry.message);
            images[i].setCurrentFrame(entry.frame);
            images[i].setX(entry.x);
            images[i].setY(entry.y);
        }
    }
    if (notice && !notice->initialize(graphics))
        throw GameError(FATAL_ERROR, "Error initializing notice font");
    loaded = true;
}

void Screen::setActive(bool on)
{
    if (on && !getInitialized()) {
        initialize();
        setInitialized(true);
    }
    GameState::setActive(on);
}

void Screen::reset()
{
    if (music != nullptr)
        playCue(music);
}

void Screen::render()
{
    graphics->spriteBegin();
    draw();
    graphics->spriteEnd();
    if (notice && notice->shown()) {
        notice->drawBacking();  // flat quads go between sprite batches
        graphics->spriteBegin();
        notice->draw();
        graphics->spriteEnd();
    }
}

void Screen::draw()
{
    for (Image& i : images)
        i.draw(graphicsNS::WHITE);
}

void Screen::releaseAll()
{
    for (auto& t : textures)
        t->onLostDevice();
    if (notice)
        notice->onLostDevice();
}

void Screen::resetAll()
{
    for (auto& t : textures)
        t->onResetDevice();
    if (notice)
        notice->onResetDevice();
}

std::vector<RECT> Screen::boxesOf(const std::vector<size_t>& indices)
{
    std::vector<RECT> boxes;
    boxes.reserve(indices.size());
    for (size_t i : indices)
        boxes.push_back(boxOf(images[i]));
    return boxes;
}

void Screen::switchTo(const std::string& target) { voyage->switchState(target, name); }

void Screen::playCue(const char* cue)
{
    if (audio != nullptr && audio->getSoundOn())
        audio->playCue(cue);
}

void Screen::stopCue(const char* cue)
{
    if (audio != nullptr)
        audio->stopCue(cue);
}

bool Screen::enterPressed() const { return input->wasActionPressed(Action::Choose); }
bool Screen::escapePressed() const { return input->wasActionPressed(Action::Back); }
bool Screen::startHeld() const { return input->getGamepadStart(0); }
bool Screen::aHeld() const { return input->getGamepadA(0); }
