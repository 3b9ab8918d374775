// The speaker: one SDL audio device, opened once, fed through SDL's audio queue. Without a
// device (no sound server, no sound card) every call is silently nothing.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/host.h"

namespace platform::sdl {

// The clip's 8-bit mono samples in the device's format, rate and channel count; empty when SDL
// cannot convert them.
std::vector<uint8_t> ConvertClip(const SoundClip& clip, const SDL_AudioSpec& device);

class SdlAudio {
  public:
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool IsOpen() const { return device_ != 0; }
    const SDL_AudioSpec& device_format() const { return format_; }

    void Play(const SoundClip& clip);  // replaces whatever plays
    void Stop();
    // Holds what plays where it is, and lets it go on.
    void Pause(bool paused);
    // Bytes still waiting to be played.
    uint32_t QueuedBytes() const;

  private:
    bool subsystem_started_ = false;
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec format_{};
};

}  // namespace platform::sdl
