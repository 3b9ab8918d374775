// Sounds by name over the real system, as our Linux layer plays them: the name finds the
// program's "SOUND" resource, which plays from memory.
#include <chrono>

#include "platform/sound/wave.h"
#include "platform/win32.h"

// From here on the name means the system's own function again.
#undef sndPlaySoundA

namespace platform {

BOOL PlayResourceSound(LPCSTR name, UINT flags) {
    if (!name) return ::sndPlaySoundA(nullptr, 0);
    HRSRC found = FindResourceA(nullptr, name, "SOUND");
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    sound::Wave wave;
    if (!bytes ||
        sound::ParseWave({bytes, SizeofResource(nullptr, found)}, &wave) != sound::WaveError::kNone)
        return FALSE;
    const auto started = std::chrono::steady_clock::now();
    const UINT memory_flags = SND_MEMORY | (flags & (SND_ASYNC | SND_NODEFAULT | SND_NOSTOP));
    ::sndPlaySoundA(reinterpret_cast<LPCSTR>(bytes), memory_flags);
    // With no sound device a waiting sound returns at once; it still holds the program up for
    // its length, so what follows it comes when it would have.
    if (!(flags & SND_ASYNC)) {
        const auto length = std::chrono::microseconds(wave.sample_count * 1000000 /
                                                      static_cast<size_t>(wave.sample_rate));
        for (auto left = started + length - std::chrono::steady_clock::now(); left > left.zero();
             left = started + length - std::chrono::steady_clock::now())
            Sleep(static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
    }
    // As on Linux, a sound that exists counts as played even where nothing can be heard.
    return TRUE;
}

}  // namespace platform
