// Sounds are short, so each is converted whole when it starts (about a millisecond for a
// second of sound) and queued in one piece; replacing a sound is clearing the queue.
#include "sdl_audio.h"

namespace platform::sdl {

std::vector<uint8_t> ConvertClip(const SoundClip& clip, const SDL_AudioSpec& device) {
    if (!clip.samples || clip.sample_count == 0 || clip.sample_rate <= 0) return {};
    // One conversion of the whole clip: SDL's streaming converter drops the resampler's last
    // few dozen milliseconds, which would clip the end of every sound.
    SDL_AudioCVT cvt;
    int built = SDL_BuildAudioCVT(&cvt, AUDIO_U8, 1, clip.sample_rate, device.format,
                                  device.channels, device.freq);
    if (built < 0) return {};
    std::vector<uint8_t> out(clip.samples, clip.samples + clip.sample_count);
    if (built == 0) return out;
    cvt.len = static_cast<int>(clip.sample_count);
    out.resize(clip.sample_count * static_cast<size_t>(cvt.len_mult));
    cvt.buf = out.data();
    if (SDL_ConvertAudio(&cvt) != 0) return {};
    out.resize(static_cast<size_t>(cvt.len_cvt));
    return out;
}

SdlAudio::SdlAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    subsystem_started_ = true;
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;  // about 23 ms: short enough that a new sound cuts in at once
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &format_, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
}

SdlAudio::~SdlAudio() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (subsystem_started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudio::Play(const SoundClip& clip) {
    if (!IsOpen()) return;
    std::vector<uint8_t> data = ConvertClip(clip, format_);
    SDL_ClearQueuedAudio(device_);
    if (!data.empty()) SDL_QueueAudio(device_, data.data(), static_cast<Uint32>(data.size()));
}

void SdlAudio::Stop() {
    if (IsOpen()) SDL_ClearQueuedAudio(device_);
}

void SdlAudio::Pause(bool paused) {
    if (IsOpen()) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

uint32_t SdlAudio::QueuedBytes() const {
    return IsOpen() ? SDL_GetQueuedAudioSize(device_) : 0;
}

}  // namespace platform::sdl
