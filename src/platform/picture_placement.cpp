#include "picture_placement.h"

#include <algorithm>
#include <cmath>

namespace platform {

PicturePlacement placePicture(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight)
{
    PicturePlacement p;
    if (windowWidth <= 0 || windowHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return p;
    const int wholeCopies = std::min(windowWidth / pictureWidth, windowHeight / pictureHeight);
    if (wholeCopies >= 1) {
        p.width = pictureWidth * wholeCopies;
        p.height = pictureHeight * wholeCopies;
    } else if (static_cast<long long>(windowWidth) * pictureHeight <=
               static_cast<long long>(windowHeight) * pictureWidth) {
        // Narrower than the picture's shape: full width, bars above and below.
        p.width = windowWidth;
        p.height =
            std::max(1, static_cast<int>(std::lround(static_cast<double>(windowWidth) * pictureHeight / pictureWidth)));
        p.wholeNumberScale = false;
    } else {
        p.height = windowHeight;
        p.width = std::max(
            1, static_cast<int>(std::lround(static_cast<double>(windowHeight) * pictureWidth / pictureHeight)));
        p.wholeNumberScale = false;
    }
    p.x = (windowWidth - p.width) / 2;
    p.y = (windowHeight - p.height) / 2;
    return p;
}

PicturePoint windowToPicture(const PicturePlacement& placement, int pictureWidth, int pictureHeight, int wx, int wy)
{
    if (placement.width <= 0 || placement.height <= 0)
        return PicturePoint{wx, wy};
    // The window pixel's centre, so a shrunk picture maps as it is drawn.
    auto along = [](int w, int start, int placed, int picture) {
        double at = (w - start + 0.5) * picture / placed;
        return static_cast<int>(std::floor(at));
    };
    return PicturePoint{along(wx, placement.x, placement.width, pictureWidth),
                        along(wy, placement.y, placement.height, pictureHeight)};
}

}  // namespace platform
