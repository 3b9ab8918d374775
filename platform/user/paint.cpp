// Drawing contexts over window pixels: the paint DC of BeginPaint (clipped to the update
// area), the client DC of GetDC, the default background erase, and child windows' borders.
#include "platform/gdi/surface_dc.h"
#include "platform/user/geometry.h"
#include "platform/user/painting.h"
#include "platform/user/user_state.h"
#include "platform/win32.h"

using platform::user::State;
using platform::user::UserState;
using platform::user::Window;

namespace platform::user {

void FillBox(HDC hdc, int left, int top, int right, int bottom, int colour_index) {
    RECT box{left, top, right, bottom};
    FillRect(hdc, &box, GetSysColorBrush(colour_index));
}

void DrawEdgeRing(HDC hdc, RECT* r, int top_left, int bottom_right) {
    FillBox(hdc, r->left, r->top, r->right - 1, r->top + 1, top_left);
    FillBox(hdc, r->left, r->top, r->left + 1, r->bottom - 1, top_left);
    FillBox(hdc, r->left, r->bottom - 1, r->right, r->bottom, bottom_right);
    FillBox(hdc, r->right - 1, r->top, r->right, r->bottom, bottom_right);
    *r = RECT{r->left + 1, r->top + 1, r->right - 1, r->bottom - 1};
}

namespace {

Surface* SurfaceOf(UserState& state, HWND hwnd) {
    Window* top = state.Find(state.windows().TopLevelOf(hwnd));
    return top ? top->surface.get() : nullptr;
}

// A DC whose device (0, 0) is the window's client corner, clipped to `clip_in_client`.
HDC ClientDC(UserState& state, HWND hwnd, const RECT* clip_in_client) {
    Surface* surface = SurfaceOf(state, hwnd);
    if (!surface) return nullptr;
    POINT origin = ClientOriginInTop(state, hwnd);
    RECT clip = VisibleClientInTop(state, hwnd);
    if (clip_in_client) clip = Intersect(clip, Offset(*clip_in_client, origin.x, origin.y));
    return gdi::CreateSurfaceDC(surface, origin, clip);
}

// A child's border, drawn into its parent's pixels around its client area.
void DrawChildFrame(UserState& state, Window& window) {
    window.frame_dirty = false;
    RECT insets = FrameInsets(window.style, window.ex_style);
    if (insets.left == 0 && insets.top == 0) return;
    Surface* surface = SurfaceOf(state, window.hwnd);
    if (!surface) return;
    POINT parent_origin = ClientOriginInTop(state, window.parent);
    RECT clip = VisibleClientInTop(state, window.parent);
    HDC hdc = gdi::CreateSurfaceDC(surface, parent_origin, clip);
    RECT r = window.rect;
    auto ring = [&](int top_left, int bottom_right) {
        DrawEdgeRing(hdc, &r, top_left, bottom_right);
    };
    // The half-sunken static edge lies outside a thin border.
    if (HasStaticEdge(window.ex_style)) ring(COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    if (window.style & WS_BORDER) {
        ring(COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
    } else if ((window.style & WS_DLGFRAME) || (window.ex_style & WS_EX_DLGMODALFRAME)) {
        ring(COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        ring(COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        ring(COLOR_BTNFACE, COLOR_BTNFACE);
    }
    if (window.ex_style & WS_EX_CLIENTEDGE) {
        ring(COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        ring(COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    DeleteDC(hdc);
}

}  // namespace

void DefaultPaint(HWND hwnd) {
    PAINTSTRUCT paint;
    if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
}

LRESULT DefaultErase(HWND hwnd, HDC hdc) {
    Window* window = State().Find(hwnd);
    if (!window || !window->window_class || !window->window_class->background) return 0;
    HBRUSH brush = window->window_class->background;
    auto value = reinterpret_cast<uintptr_t>(brush);
    // A class may name a system colour as its index + 1.
    if (value > 0 && value <= COLOR_3DLIGHT + 1)
        brush = GetSysColorBrush(static_cast<int>(value - 1));
    RECT client = ClientRect(*window);
    FillRect(hdc, &client, brush);
    return 1;
}

}  // namespace platform::user

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    UserState& state = State();
    Window* window = state.Find(hwnd);
    if (!window || !paint) return nullptr;
    if (window->IsChild() && window->frame_dirty) platform::user::DrawChildFrame(state, *window);
    RECT update = window->update;
    bool erase = window->update_erase;
    window->update = RECT{};
    window->update_erase = false;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = update;
    HDC hdc = platform::user::ClientDC(state, hwnd, &update);
    if (!hdc) return nullptr;
    paint->hdc = hdc;
    if (erase) paint->fErase = !state.Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    return hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* paint) {
    if (!paint || !paint->hdc) return FALSE;
    DeleteDC(paint->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
    UserState& state = State();
    if (!state.Find(hwnd)) return nullptr;
    HDC hdc = platform::user::ClientDC(state, hwnd, nullptr);
    if (hdc) state.AddClientDC(hdc);
    return hdc;
}

int WINAPI ReleaseDC(HWND, HDC hdc) {
    // A memory DC passed here by mistake stays alive, as on Win32.
    if (!hdc || !State().TakeClientDC(hdc)) return 0;
    return DeleteDC(hdc) ? 1 : 0;
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    UserState& state = State();
    if (!state.Find(hwnd)) return FALSE;
    platform::user::InvalidateWindow(
        state, hwnd, rect, erase ? platform::user::Erase::kYes : platform::user::Erase::kNo);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
    UserState& state = State();
    if (!state.Find(hwnd)) return FALSE;
    platform::user::ValidateWindow(state, hwnd, rect);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
    UserState& state = State();
    if (!state.Find(hwnd)) return FALSE;
    platform::user::PaintNow(state, hwnd);
    return TRUE;
}
