// The sound output under the engine. A machine with no sound card or no audio
// server still runs the game: its sound then goes to SDL's silent driver.
#pragma once

namespace platform {

// Sends all further sound output to SDL's silent "dummy" driver, restarting
// the audio subsystem on it if something already started it on another
// driver. Returns false if the silent driver was already in use (so trying
// again cannot help) or cannot start.
bool useSilentAudioOutput();

// Whether a sound output device can be opened on the current (or, when audio
// is not started yet, the chosen) driver. Audio is left started.
bool audioOutputOpens();

// The name of the audio driver in use ("pulseaudio", "alsa", "dummy"...), or
// an empty string when audio is not started.
const char* currentAudioDriver();

}  // namespace platform
