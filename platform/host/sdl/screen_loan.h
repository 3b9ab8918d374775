// A window system surface drawing straight in an SDL window's image: presenting then copies
// nothing. The host owns one per window and gives the pixels back (the surface copies them
// out) before SDL can free the image. The host interface promises that a presented surface
// stays where it is until its window goes or another surface is presented there.
#pragma once

#include <SDL.h>

#include "platform/core/surface.h"

namespace platform::sdl {

class ScreenLoan {
  public:
    // The image can hold the pixels as they are: 0x00RRGGBB words, no padding within a word,
    // the same size, and no lock needed to reach the memory.
    static bool Fits(const SDL_Surface* image, const Surface& pixels) {
        return image->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(image) &&
               image->w == pixels.width && image->h == pixels.height && image->pitch % 4 == 0;
    }

    // Moves the pixels into the image; the surface draws there from now on.
    void Lend(Surface& pixels, SDL_Surface* image) {
        TakeBack();
        memory_ = static_cast<uint32_t*>(image->pixels);
        pixels.DrawIn(memory_, image->pitch / 4);
        borrower_ = &pixels;
    }
    // The surface still draws in the image (a resize by the window system ends that).
    bool Active() const { return borrower_ && borrower_->DrawsIn(memory_); }
    bool HeldBy(const Surface& pixels) const { return borrower_ == &pixels && Active(); }
    Surface* borrower() const { return Active() ? borrower_ : nullptr; }

    void TakeBack() {
        if (Active()) borrower_->DrawInOwnMemory();
        borrower_ = nullptr;
        memory_ = nullptr;
    }

  private:
    Surface* borrower_ = nullptr;
    uint32_t* memory_ = nullptr;
};

}  // namespace platform::sdl
