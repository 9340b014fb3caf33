// Seams for headless tests: a clock that only moves when told, input fed
// through the same SDL event path as a real keyboard, mouse and pad, a
// device that can be made to lose itself, and the back buffer read back.
#pragma once

#include "win32_types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::testing {

// ---- clock ------------------------------------------------------------------
// While on, QueryPerformanceCounter reads a counter of 1 000 000 ticks per
// second that only advanceClock and Sleep move.
void useFakeClock(bool on);
void advanceClock(double seconds);
std::int64_t clockTicks();
DWORD totalSleptMilliseconds();  // what Sleep was asked for since useFakeClock(true)

// ---- input --------------------------------------------------------------------
// Each call queues the SDL events a real device would send; the game sees
// them through PeekMessageA like any other. Positions are window pixels.
void keyDown(UCHAR vk, bool repeat = false);
void keyUp(UCHAR vk);
void typeText(const std::string& utf8);
void mouseMove(int x, int y, int dx, int dy);
void mouseButton(int button /*1 left, 2 middle, 3 right, 4 X1, 5 X2*/, bool down, int x, int y);
void mouseWheel(float notches, int x = 0, int y = 0);
void closeWindow();

// Virtual game controllers. attachPad returns a handle (or -1).
int attachPad();
void setPadButtons(int pad, WORD xinputButtons);
void setPadAxis(int pad, int sdlAxis, SHORT value);
void detachPad(int pad);
// Last motor speeds sent to the pad in slot `userIndex`.
bool lastRumble(DWORD userIndex, WORD& left, WORD& right);

// ---- device -------------------------------------------------------------------
// D3DERR_DEVICELOST, D3DERR_DEVICENOTRESET, or D3D_OK to end a forced loss.
void forceDeviceState(HRESULT state);
int liveDefaultPoolObjects();  // textures, buffers, fonts, sprites not yet released
int pictureFileLoads();        // picture files read and checked for a new texture so far
int pictureDecodes();          // pictures decoded into pixels so far (on first draw)
int keptTexelFilesRead();      // pictures copied in from their texel files instead
// Decoded pixels kept at most before the least recently drawn go (the
// device's own budget when given 0); and the bytes kept now.
void setDecodedPictureBudget(std::size_t bytes);
std::size_t decodedPictureBytes();
void dropTextureCache();
// As when the renderer loses its textures (SDL_RENDER_DEVICE_RESET): the
// device then asks to be reset and every picture is made again.
void loseRendererTextures();
int glyphAtlasCount();         // glyph pictures alive, each shared by its fonts
int liveRendererTextures();    // SDL textures made and not yet destroyed
// Whether repeated tinted and scaled draws may be made into pictures once
// (derived_pictures.h; on by default), and how many have been made.
void useDerivedPictures(bool on);
int derivedPicturesMade();

// ---- back buffer ------------------------------------------------------------
// The 800 x 600 picture drawn so far this frame (0xAARRGGBB per pixel).
bool readBackBuffer(std::vector<std::uint32_t>& pixels, int& width, int& height);
bool saveBackBufferPng(const std::string& path);
// The whole window as last presented, in window pixels: the picture where
// it was placed and the bars around it.
bool readWindowPixels(std::vector<std::uint32_t>& pixels, int& width, int& height);
// The name of the renderer in use ("software" headless).
std::string rendererName();
// The least a frame can cost on this renderer, for benchmarks: a clear, one
// full-screen opaque copy and a present, straight through SDL.
void drawFloorFrame();

// ---- files ------------------------------------------------------------------
// The disk fills up once this many more bytes are written through
// replaceFiles (-1: never); renames can be made to fail.
void failFileWritesAfter(long long bytes);
void failFileRenames(bool fail);
// The nth rename from now fails, once (0: none).
void failFileRenameNumber(int n);

}  // namespace platform::testing
