// A window system surface drawing straight in an SDL window's image: presenting then copies
// nothing. The host owns one per window; the pixels come back (the surface copies them out)
// before SDL can free the image: before SDL is asked for the image again, at a layout change,
// and when the loan itself goes, before its window. The host interface promises that a
// presented surface stays where it is until its window goes or another surface is presented.
#pragma once

#include <SDL.h>

#include <utility>

#include "platform/core/surface.h"

namespace platform::sdl {

class ScreenLoan {
  public:
    ScreenLoan() = default;
    ~ScreenLoan() { TakeBack(); }
    ScreenLoan(const ScreenLoan&) = delete;
    ScreenLoan& operator=(const ScreenLoan&) = delete;
    ScreenLoan(ScreenLoan&& other) noexcept
        : borrower_(std::exchange(other.borrower_, nullptr)),
          memory_(std::exchange(other.memory_, nullptr)) {}
    ScreenLoan& operator=(ScreenLoan&& other) noexcept {
        if (this == &other) return *this;
        TakeBack();
        borrower_ = std::exchange(other.borrower_, nullptr);
        memory_ = std::exchange(other.memory_, nullptr);
        return *this;
    }

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

    // SDL's image of the window. Once the window's size has changed SDL frees the old image
    // here, so pixels still lent come back first.
    SDL_Surface* ImageOf(SDL_Window* window) {
        TakeBack();
        return SDL_GetWindowSurface(window);
    }

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
