// A picture that passed its checks when loaded and then failed to decode
// when first drawn (changed on disk since, or damaged past what the checks
// see). It is named on standard error when it fails; the game loop asks
// here after each frame and ends the game rather than play on without it.
#pragma once

namespace platform {

// True once for each such failure since the last call.
bool takePictureDecodeFailure();

}  // namespace platform
