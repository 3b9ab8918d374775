// sdl_demo: a small Win32 program for the SDL host. A frame window whose 0 ms timer moves a red
// box to and fro; a left click puts the box where the mouse is, Space stops and starts it, the
// M key opens a message box (the box keeps moving behind it). With SDL_DEMO_LOG set it writes
// each message it acts on to that file, one line each, for the end-to-end tests.
#include <cstdio>
#include <cstdlib>

#include "platform/win32.h"

namespace {

constexpr UINT_PTR kMoveTimer = 1;
constexpr int kBoxSize = 40;
constexpr int kStep = 3;
const char kClassName[] = "SdlDemoFrame";

struct Demo {
    int x = 0;
    int y = 100;
    int step = kStep;
    bool paused = false;
    std::FILE* log = nullptr;
};

Demo& DemoOf(HWND hwnd) {
    return *reinterpret_cast<Demo*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Log(const Demo& demo, const char* format, long a = 0, long b = 0) {
    if (!demo.log) return;
    std::fprintf(demo.log, format, a, b);
    std::fputc('\n', demo.log);
    std::fflush(demo.log);
}

void Fill(HDC dc, int x, int y, int width, int height, COLORREF colour) {
    RECT box = {x, y, x + width, y + height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void DrawBox(HDC dc, const Demo& demo) {
    Fill(dc, demo.x, demo.y, kBoxSize, kBoxSize, RGB(200, 0, 0));
}

void MoveBox(HWND hwnd, Demo& demo, int x, int y) {
    HDC dc = GetDC(hwnd);
    Fill(dc, demo.x, demo.y, kBoxSize, kBoxSize, RGB(255, 255, 255));
    demo.x = x;
    demo.y = y;
    DrawBox(dc, demo);
    ReleaseDC(hwnd, dc);
}

void Tick(HWND hwnd, Demo& demo) {
    if (demo.paused) return;
    RECT client;
    GetClientRect(hwnd, &client);
    int x = demo.x + demo.step;
    if (x < 0 || x + kBoxSize > client.right) {
        demo.step = -demo.step;
        x = demo.x + demo.step;
    }
    MoveBox(hwnd, demo, x, demo.y);
}

void OnChar(HWND hwnd, Demo& demo, int character) {
    Log(demo, "char %ld", character);
    if (character == ' ') demo.paused = !demo.paused;
    if (character == 'm' || character == 'M') {
        int answer = MessageBoxA(hwnd, "The box keeps moving behind this message.", "SDL demo",
                                 MB_OK | MB_ICONINFORMATION);
        Log(demo, "messagebox %ld", answer);
    }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        SetTimer(hwnd, kMoveTimer, 0, nullptr);
        return 0;
    }
    if (!GetWindowLongPtrA(hwnd, GWLP_USERDATA))
        return DefWindowProcA(hwnd, message, wparam, lparam);
    Demo& demo = DemoOf(hwnd);
    switch (message) {
        case WM_TIMER:
            Tick(hwnd, demo);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            DrawBox(dc, demo);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_KEYDOWN:
            Log(demo, "keydown %ld", static_cast<long>(wparam));
            return 0;
        case WM_CHAR:
            OnChar(hwnd, demo, static_cast<int>(wparam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            Log(demo, message == WM_LBUTTONDOWN ? "click %ld %ld" : "rclick %ld %ld",
                GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            if (message == WM_LBUTTONDOWN) {
                demo.paused = true;
                MoveBox(hwnd, demo, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
            }
            return 0;
        case WM_SIZE:
            Log(demo, "size %ld %ld", LOWORD(lparam), HIWORD(lparam));
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd, kMoveTimer);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    Demo demo;
    if (const char* path = std::getenv("SDL_DEMO_LOG")) demo.log = std::fopen(path, "w");

    WNDCLASSA frame_class = {};
    frame_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    frame_class.lpfnWndProc = FrameProc;
    frame_class.hInstance = instance;
    frame_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    frame_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frame_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    frame_class.lpszClassName = kClassName;
    if (!RegisterClassA(&frame_class)) return 1;

    HWND frame = CreateWindowExA(WS_EX_CLIENTEDGE, kClassName, "SDL host demo", WS_OVERLAPPEDWINDOW,
                                 0, 0, 800, 600, nullptr, nullptr, instance, &demo);
    if (!frame) return 1;
    ShowWindow(frame, show_command);
    UpdateWindow(frame);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (demo.log) std::fclose(demo.log);
    return static_cast<int>(msg.wParam);
}
