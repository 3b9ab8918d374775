#include "page.h"

#include <emscripten.h>

#include <cmath>

// JavaScript bodies pass through the C preprocessor: no backslashes in them. clang-format would
// take them for C++ (and break "!==").
// clang-format off

EM_JS(double, zf_now, (), { return performance.now(); });
EM_JS(double, zf_calendar_ms, (), { return Date.now(); });

EM_ASYNC_JS(void, zf_wait, (int ms), {
    await new Promise(function(resolve) {
        var timer = ms >= 0 ? setTimeout(function() { Module.zfWake = null; resolve(); }, ms) : 0;
        Module.zfWake = function() {
            if (timer) clearTimeout(timer);
            Module.zfWake = null;
            resolve();
        };
    });
});

EM_JS(void, zf_wake, (), { if (Module.zfWake) Module.zfWake(); });

EM_ASYNC_JS(void, zf_pause, (int ms), {
    await new Promise(function(resolve) { setTimeout(resolve, ms); });
});

EM_JS(void, zf_size_canvas, (int width, int height), {
    var canvas = document.getElementById('canvas');
    canvas.width = width;
    canvas.height = height;
    Module.zfContext = canvas.getContext('2d', {alpha: false});
});

// One view of the screen's memory, made again only when the memory grows.
EM_JS(void, zf_show, (const uint32_t* screen, int width, int height, int x, int y, int w, int h), {
    if (!Module.zfImage || Module.zfImageBuffer !== HEAPU8.buffer) {
        Module.zfImage = new ImageData(
            new Uint8ClampedArray(HEAPU8.buffer, screen, width * height * 4), width, height);
        Module.zfImageBuffer = HEAPU8.buffer;
    }
    Module.zfContext.putImageData(Module.zfImage, 0, 0, x, y, w, h);
});

EM_JS(double, zf_canvas_scale, (), {
    var canvas = document.getElementById('canvas');
    return canvas.getBoundingClientRect().width / canvas.width;
});

EM_JS(double, zf_canvas_left, (), {
    return document.getElementById('canvas').getBoundingClientRect().left;
});
EM_JS(double, zf_canvas_top, (), {
    return document.getElementById('canvas').getBoundingClientRect().top;
});
EM_JS(void, zf_show_keyboard, (int shown), {
    if (Module.zfShowKeyboard) Module.zfShowKeyboard(!!shown);
});

EM_JS(void, zf_clear_windows, (), { Module.zfWindows = []; });
EM_JS(void, zf_list_window, (const char* title, int x, int y, int width, int height,
                             int client_x, int client_y, int client_width, int client_height), {
    Module.zfWindows.push({title: UTF8ToString(title), x: x, y: y, width: width, height: height,
                           client: {x: client_x, y: client_y, width: client_width,
                                    height: client_height}});
});

// The speaker: one source at a time; each clip's buffer is made once. It runs only while a
// sound plays and the page is shown: a running AudioContext costs the browser a few percent of
// a core even in silence.
EM_JS(void, zf_speaker_wanted, (), {
    var audio = Module.zfAudio;
    if (!audio) return;
    var wanted = !!Module.zfSource && !Module.zfSilenced;
    if (wanted && audio.state === 'suspended') audio.resume();
    else if (!wanted && audio.state === 'running') audio.suspend();
});

EM_JS(void, zf_play, (const uint8_t* samples, int count, int rate), {
    var audio = Module.zfAudio;
    if (!audio) return;
    Module.zfClips = Module.zfClips || {};
    var buffer = Module.zfClips[samples];
    if (!buffer) {
        buffer = audio.createBuffer(1, count, rate);
        var data = buffer.getChannelData(0);
        for (var i = 0; i < count; ++i) data[i] = (HEAPU8[samples + i] - 128) / 128;
        Module.zfClips[samples] = buffer;
    }
    if (Module.zfSource) Module.zfSource.stop();
    var source = audio.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.destination);
    source.onended = function() {
        if (Module.zfSource !== source) return;
        Module.zfSource = null;
        zf_speaker_wanted();
    };
    Module.zfSource = source;
    source.start();
    Module.zfSoundsPlayed = (Module.zfSoundsPlayed || 0) + 1;
});

EM_JS(void, zf_stop, (), {
    var source = Module.zfSource;
    Module.zfSource = null;
    if (source) source.stop();
});

EM_JS(void, zf_pause_samples, (int paused), {
    Module.zfSilenced = !!paused;
});

EM_JS(int, zf_hidden, (), { return document.hidden ? 1 : 0; });

EM_JS(void, zf_toggle_fullscreen, (), {
    if (Module.zfToggleFullscreen) Module.zfToggleFullscreen();
});

// A request still on its way when the lock is no longer wanted is let go once it arrives.
EM_JS(void, zf_hold_awake, (int awake), {
    Module.zfAwakeWanted = !!awake;
    if (!awake) {
        if (Module.zfWakeLock) Module.zfWakeLock.release().catch(function() {});
        Module.zfWakeLock = null;
        return;
    }
    if (Module.zfWakeLock || !navigator.wakeLock) return;
    navigator.wakeLock.request('screen').then(function(lock) {
        if (Module.zfAwakeWanted && !Module.zfWakeLock) Module.zfWakeLock = lock;
        else lock.release().catch(function() {});
    }).catch(function() {});
});

EM_JS(int, zf_pads_seen, (), { return Module.zfPadsSeen ? 1 : 0; });

// Each pad as four numbers: its index, the buttons held (A, B, Start, up, down, left, right in
// the standard layout), and the left stick's two axes scaled to 32767.
EM_JS(int, zf_read_pads, (int* out, int max), {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var count = 0;
    for (var i = 0; i < pads.length && count < max; ++i) {
        var pad = pads[i];
        if (!pad || pad.connected === false) continue;
        var bits = 0;
        [0, 1, 9, 12, 13, 14, 15].forEach(function(button, bit) {
            var b = pad.buttons[button];
            if (b && (b.pressed || b.value > 0.5)) bits |= 1 << bit;
        });
        var at = (out >> 2) + count * 4;
        HEAP32[at] = pad.index;
        HEAP32[at + 1] = bits;
        HEAP32[at + 2] = Math.round(Math.max(-1, Math.min(1, pad.axes[0] || 0)) * 32767);
        HEAP32[at + 3] = Math.round(Math.max(-1, Math.min(1, pad.axes[1] || 0)) * 32767);
        ++count;
    }
    return count;
});

// clang-format on

namespace platform::web::page {

double Now() {
    return zf_now();
}
double CalendarMs() {
    return zf_calendar_ms();
}
// Whole milliseconds, rounded up: a timer never fires before its deadline.
void Wait(double ms) {
    zf_wait(ms < 0 ? -1 : static_cast<int>(std::ceil(ms)));
}
void Wake() {
    zf_wake();
}
void Pause(double ms) {
    zf_pause(static_cast<int>(std::ceil(ms)));
}
void SizeCanvas(int width, int height) {
    zf_size_canvas(width, height);
}
void Show(const uint32_t* screen, int width, int height, int x, int y, int w, int h) {
    zf_show(screen, width, height, x, y, w, h);
}
double CanvasScale() {
    return zf_canvas_scale();
}
double CanvasLeft() {
    return zf_canvas_left();
}
double CanvasTop() {
    return zf_canvas_top();
}
void ShowKeyboard(bool shown) {
    zf_show_keyboard(shown);
}
void ClearWindowList() {
    zf_clear_windows();
}
void ListWindow(const char* title, int x, int y, int width, int height, int client_x, int client_y,
                int client_width, int client_height) {
    zf_list_window(title, x, y, width, height, client_x, client_y, client_width, client_height);
}
void PlaySamples(const uint8_t* samples, int count, int rate) {
    zf_play(samples, count, rate);
    zf_speaker_wanted();
}
void StopSamples() {
    zf_stop();
    zf_speaker_wanted();
}
void PauseSamples(bool paused) {
    zf_pause_samples(paused);
    zf_speaker_wanted();
}
bool Hidden() {
    return zf_hidden() != 0;
}
void ToggleFullscreen() {
    zf_toggle_fullscreen();
}
void HoldScreenAwake(bool awake) {
    zf_hold_awake(awake);
}
bool PadsSeen() {
    return zf_pads_seen() != 0;
}
std::vector<PadReading> ReadPads() {
    constexpr int kMaxPads = 8;
    int numbers[kMaxPads * 4];
    int count = zf_read_pads(numbers, kMaxPads);
    std::vector<PadReading> pads;
    for (int i = 0; i < count; ++i)
        pads.push_back({.pad = numbers[i * 4],
                        .buttons = static_cast<unsigned>(numbers[i * 4 + 1]),
                        .x = numbers[i * 4 + 2],
                        .y = numbers[i * 4 + 3]});
    return pads;
}

}  // namespace platform::web::page
