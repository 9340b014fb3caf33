// Where the game's fixed-size picture sits in a window of any size: its
// shape kept, centred, black bars around it. A whole-number scale whenever
// the window holds at least one whole copy, so pixels stay sharp; only a
// window smaller than the picture shrinks it by a fraction.
#pragma once

namespace platform {

struct PicturePlacement {
    int x = 0;  // top-left in the window
    int y = 0;
    int width = 0;
    int height = 0;
    bool wholeNumberScale = true;  // each picture pixel covers whole window pixels
};

PicturePlacement placePicture(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);

// The picture pixel under window pixel (wx, wy). Points in the bars fall
// outside 0..pictureWidth-1 / 0..pictureHeight-1 rather than on its edge,
// so a click there lands on nothing the picture shows.
struct PicturePoint {
    int x = 0;
    int y = 0;
};
PicturePoint windowToPicture(const PicturePlacement& placement, int pictureWidth, int pictureHeight, int wx, int wy);

}  // namespace platform
