// Where a window's client area lies in its SDL window: magnified by a whole number, and in
// fullscreen centred between black bars. The window system never sees these numbers; mouse
// positions are mapped back through them.
#pragma once

#include <algorithm>

namespace platform::sdl {

struct Viewport {
    int scale = 1;
    int left = 0;  // the client area's top-left in the SDL window
    int top = 0;
    int client_width = 0;
    int client_height = 0;
    bool bars = false;  // fullscreen: the area around the client shows nothing of it

    int ScaledWidth() const { return client_width * scale; }
    int ScaledHeight() const { return client_height * scale; }

    // A point of the SDL window in client pixels; false on a black bar, which takes no click.
    bool ToClient(int x, int y, int* client_x, int* client_y) const {
        *client_x = FloorDiv(x - left, scale);
        *client_y = FloorDiv(y - top, scale);
        return !bars || (*client_x >= 0 && *client_y >= 0 && *client_x < client_width &&
                         *client_y < client_height);
    }

    // The client area centred at the largest whole scale that fits a width x height screen.
    static Viewport Centred(int client_width, int client_height, int width, int height) {
        Viewport view{.client_width = client_width, .client_height = client_height, .bars = true};
        view.scale = LargestFit(client_width, client_height, width, height);
        view.left = (width - view.ScaledWidth()) / 2;
        view.top = (height - view.ScaledHeight()) / 2;
        return view;
    }

    // The largest whole scale at which width x height fits in the space, never below 1.
    static int LargestFit(int width, int height, int space_width, int space_height) {
        if (width <= 0 || height <= 0) return 1;
        return std::max(1, std::min(space_width / width, space_height / height));
    }

  private:
    static int FloorDiv(int value, int by) {
        return value >= 0 ? value / by : -((-value + by - 1) / by);
    }
};

// The scale a screen of this density asks for: 1 below about 144 dots per inch, else the
// nearest whole multiple of the 96 the game was drawn for.
inline int DensityScale(double dots_per_inch) {
    if (!(dots_per_inch >= 144)) return 1;
    return std::max(2, static_cast<int>(dots_per_inch / 96 + 0.5));
}

}  // namespace platform::sdl
