// What every screen around the levels shares: its pictures and the images on
// them, set up from two small tables with a fatal message each; drawing them
// in one sprite batch; the music cue it starts on entry; and the keys and pad
// buttons the screens read. A screen keeps only its tables and its rules.
#pragma once

#include "engine/game_state.h"
#include "render/image.h"
#include "render/texture_manager.h"
#include "screens/screen_notice.h"

#include <memory>
#include <string>
#include <vector>

class Audio;
class Graphics;
class Input;
class Game;
class Voyage;

// A picture file the screen loads, and what to say if it does not load.
struct ScreenPicture {
    const char* file;
    const char* message;
};

// An image on one of the screen's pictures: frame size and columns (all 0
// for the whole picture as one frame), the frame it shows, where it stands,
// and what to say if it cannot be set up.
struct ScreenImage {
    int picture;  // index into the screen's pictures
    int width, height, columns;
    int frame;
    float x, y;
    const char* message;
};

class Screen : public GameState {
public:
    // Null for a screen without one.
    const ScreenNotice* getNotice() const { return notice.get(); }

    // `music` is the cue the screen starts on entry (null: none).
    Screen(Voyage* voyage, const char* stateName, std::vector<ScreenPicture> pictures,
           std::vector<ScreenImage> images, const char* music = nullptr);
    ~Screen() override;

    // Loads the pictures in table order, each followed by its images (and the
    // notice's font, for a screen that has one). Runs once: the screen sets
    // itself up the first time it is shown, and a later call changes nothing.
    void initialize() override;
    // A screen is set up when it is first shown, not when it is made, so the
    // game starts having loaded only the first screen's pictures.
    void setActive(bool on) override;
    // Starts the screen's music while sound is on.
    void reset() override;
    // The images, then the notice if one is showing.
    void render() override;
    void releaseAll() override;
    void resetAll() override;

protected:
    // For a screen that tells the player things (in its constructor).
    void addNotice() { notice = std::make_unique<ScreenNotice>(); }
    ScreenNotice& noticeLine() { return *notice; }

    // The images in table order, untinted; screens with their own order or
    // colours draw them themselves. Inside the sprite batch.
    virtual void draw();

    Image& image(size_t index) { return images[index]; }
    // Where the images stand, for the mouse: boxes[i] is image indices[i]'s.
    std::vector<RECT> boxesOf(const std::vector<size_t>& indices);
    TextureManager& texture(size_t picture) { return *textures[picture]; }
    size_t imageCount() const { return images.size(); }
    void switchTo(const std::string& target);
    // Cues start only while sound is on; stopping is always sent.
    void playCue(const char* cue);
    void stopCue(const char* cue);

    // The choose key (Enter unless the player bound another), and the back key.
    bool enterPressed() const;
    bool escapePressed() const;
    bool startHeld() const;  // the first pad's START button
    bool aHeld() const;      // and its A button

    Voyage* voyage;  // none of these is owned
    Game* game;
    Graphics* graphics;
    Input* input;
    Audio* audio;

private:
    std::vector<ScreenPicture> pictureTable;
    std::vector<ScreenImage> imageTable;
    const char* music;
    std::vector<std::unique_ptr<TextureManager>> textures;
    std::vector<Image> images;
    std::unique_ptr<ScreenNotice> notice;
    bool loaded = false;
};
