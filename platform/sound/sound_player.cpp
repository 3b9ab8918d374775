// sndPlaySoundA over the resource catalogue and the host's speaker.
#include "platform/sound/sound_player.h"

#include "platform/host.h"
#include "platform/resources.h"
#include "platform/session.h"
#include "platform/sound/wave.h"

namespace platform::sound {

namespace {
// Looping and sounds in memory are not used by the program; they are refused, not faked.
constexpr UINT kUnsupportedFlags = SND_MEMORY | SND_LOOP;
}  // namespace

SoundPlayer::~SoundPlayer() {
    if (IsPlaying()) host_.StopSound();
}

bool SoundPlayer::IsPlaying() const {
    return started_ && host_.NowMs() < playing_until_ms_;
}

void SoundPlayer::Stop() {
    host_.StopSound();
    started_ = false;
}

bool SoundPlayer::Play(LPCSTR name, UINT flags) {
    if (!name) {
        Stop();
        return true;
    }
    if (flags & kUnsupportedFlags) return false;
    if ((flags & SND_NOSTOP) && IsPlaying()) return false;

    // A missing or unreadable sound plays nothing and leaves the current one alone.
    const ResourceEntry* entry = resources_.Find("SOUND", name);
    if (!entry) return false;
    Wave wave;
    std::span<const uint8_t> bytes(static_cast<const uint8_t*>(entry->data), entry->size);
    if (ParseWave(bytes, &wave) != WaveError::kNone) return false;

    SoundClip clip;
    clip.name = name;
    clip.sample_rate = wave.sample_rate;
    clip.samples = wave.samples;
    clip.sample_count = wave.sample_count;
    host_.PlaySound(clip);
    if (Session* session = Session::TryCurrent())
        session->Notify([&](Observer& observer) { observer.SoundStarted(name, flags); });
    started_ = true;
    playing_until_ms_ = host_.NowMs() + clip.DurationMs();
    // Synchronous play blocks without taking messages, even where no audio device exists.
    if (!(flags & SND_ASYNC)) host_.Sleep(clip.DurationMs());
    return true;
}

}  // namespace platform::sound

BOOL WINAPI sndPlaySoundA(LPCSTR name, UINT flags) {
    return platform::Session::Current().sound().Play(name, flags) ? TRUE : FALSE;
}
