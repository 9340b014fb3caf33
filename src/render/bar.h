// The HUD health gauge: an image that shows the left part of its picture in
// proportion to a percentage, tinted by how much is left. It never animates.
#pragma once

#include "render/image.h"

namespace barNS {
constexpr int WIDTH = 270;  // one frame of the gauge picture
constexpr int HEIGHT = 270;
constexpr float X = 83.0f;  // place in the HUD panel
constexpr float Y = 497.0f;
// The tint changes at these right edges, in texture pixels.
constexpr LONG RED_UP_TO = 80;
constexpr LONG ORANGE_UP_TO = 120;
constexpr LONG YELLOW_UP_TO = 160;
}  // namespace barNS

class Bar : public Image {
public:
    using Image::initialize;
    // One 270 x 270 frame at the HUD place, green, at the given scale.
    bool initialize(Graphics* g, TextureManager* tm, float scale);
    // percentOn is clamped to 0..100. Draw with colour 0 (graphicsNS::FILTER)
    // so the tint chosen here applies.
    void set(float percentOn);
    void update(float frameTime) override;
};
