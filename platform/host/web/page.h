// The page's side of the web host: the canvas, waiting, and the speaker, as JavaScript.
#pragma once

#include <cstdint>
#include <vector>

#include "gamepad_poll.h"

namespace platform::web::page {

double Now();         // performance.now(), milliseconds
double CalendarMs();  // Date.now()
// Suspends the program until Wake() or until ms have passed; forever when ms < 0.
void Wait(double ms);
void Wake();
// Suspends the program for ms; Wake() does not end it.
void Pause(double ms);

void SizeCanvas(int width, int height);
// Copies the box [x, x + w) x [y, y + h) of the RGBA screen to the canvas.
void Show(const uint32_t* screen, int width, int height, int x, int y, int w, int h);
// The canvas's displayed width per pixel (the page may scale it by a whole number).
double CanvasScale();
// Where the canvas's top-left corner is on the page.
double CanvasLeft();
double CanvasTop();
// Brings the phone's keyboard up over the page's hidden text field, or puts it away.
void ShowKeyboard(bool shown);

// The visible windows, bottom first, as Module.zfWindows (for the page's tests and tools).
void ClearWindowList();
void ListWindow(const char* title, int x, int y, int width, int height, int client_x, int client_y,
                int client_width, int client_height);

void PlaySamples(const uint8_t* samples, int count, int rate);
void StopSamples();
// Holds what plays where it is (the page is hidden), and lets it go on.
void PauseSamples(bool paused);

// Whether the page is hidden: another tab, a minimised browser, a locked phone.
bool Hidden();
// The page fullscreen and back (the page's own function, which the start panel's button uses).
void ToggleFullscreen();
// Keeps the screen from dimming and sleeping, where the browser can (a screen wake lock).
void HoldScreenAwake(bool awake);
// Whether a game controller has ever been seen; then the pads plugged in now.
bool PadsSeen();
std::vector<PadReading> ReadPads();

}  // namespace platform::web::page
