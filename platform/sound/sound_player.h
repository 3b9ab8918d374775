// Plays the program's "SOUND" resources through the host. It keeps its own record of what plays
// and until when, so "is a sound still playing" never needs to ask the host.
#pragma once

#include "platform/win32.h"

namespace platform {
class Host;
class ResourceCatalogue;
namespace sound {

class SoundPlayer {
  public:
    SoundPlayer(Host& host, const ResourceCatalogue& resources)
        : host_(host), resources_(resources) {}
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // sndPlaySoundA: name is a "SOUND" resource, found without regard to case; nullptr stops.
    // Synchronous play returns once the sound's length has passed on the host's clock.
    bool Play(LPCSTR name, UINT flags);
    void Stop();

    bool IsPlaying() const;

  private:
    Host& host_;
    const ResourceCatalogue& resources_;
    bool started_ = false;  // a sound was started and not stopped since
    double playing_until_ms_ = 0;
};

}  // namespace sound
}  // namespace platform
