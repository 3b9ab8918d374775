// Plays the program's "SOUND" resources through the host.
#pragma once

namespace platform {
class Host;
class ResourceCatalogue;
namespace sound {

class SoundPlayer {
public:
    SoundPlayer(Host& host, const ResourceCatalogue& resources)
        : host_(host), resources_(resources) {}

private:
    [[maybe_unused]] Host& host_;
    [[maybe_unused]] const ResourceCatalogue& resources_;
};

}  // namespace sound
}  // namespace platform
