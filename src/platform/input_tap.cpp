#include "input_tap.h"

namespace {
platform::InputTap* tap = nullptr;
}  // namespace

namespace platform {

void setInputTap(InputTap* newTap) { tap = newTap; }
InputTap* inputTap() { return tap; }

}  // namespace platform
