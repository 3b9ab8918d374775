// Each of the four dialogs as the player first sees it, written as a PNG picture for review
// (dialog_snapshots/ beside the test binary), with the pixels that matter checked: the face
// colour, the default button's black frame, the pictures in place, and the About picture cut
// off at the dialog's edge.
#include <filesystem>
#include <functional>
#include <string>

#include "platform/core/surface.h"
#include "resources/resource_ids.h"
#include "tests/platform/user/dialog/dialog_fixture.h"
#include "tools/png/surface_png.h"

namespace dialog_tests {
namespace {

using harness::ModalWindow;

constexpr uint32_t kFace = 0xC0C0C0;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0x808080;

INT_PTR CALLBACK EndingProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND || HIWORD(wparam) != BN_CLICKED) return FALSE;
    EndDialog(dialog, LOWORD(wparam));
    return TRUE;
}

// A picture's pixels as the program loads them.
platform::Surface Picture(int number) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(number));
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    platform::Surface pixels = platform::Surface::Color(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x) {
            COLORREF c = GetPixel(source, x, y);
            pixels.SetPixel(x, y, GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
    return pixels;
}

class Snapshot : public DialogTest {
  protected:
    // Runs the dialog, lets `look` at its pixels once it has painted, writes them out, and
    // closes it with the button `close_id`.
    void Take(int number, int close_id, const std::string& name,
              const std::function<void(HWND, const platform::Surface&)>& look,
              const std::function<void(ModalWindow&)>& first = nullptr) {
        bool looked = false;
        env_.answers.Answer("", [&](ModalWindow& dialog) {
            if (first) first(dialog);
            env_.host.Call(dialog.now() + 50, [&, hwnd = dialog.hwnd()] {
                const platform::Surface* pixels = harness::WindowPixels(hwnd);
                ASSERT_NE(pixels, nullptr);
                std::filesystem::create_directories("dialog_snapshots");
                EXPECT_TRUE(png::WritePng("dialog_snapshots/" + name + ".png", *pixels));
                look(hwnd, *pixels);
                looked = true;
            });
            dialog.PressButton(close_id, 100);
        });
        DialogBoxIndirectParamA(nullptr, Template(number), nullptr, &EndingProc, 0);
        EXPECT_TRUE(looked);
    }

    // The picture shows at `at` from its own top-left, as far as `width` x `height` reaches.
    static void ExpectPicture(const platform::Surface& shown, POINT at,
                              const platform::Surface& want, int width, int height) {
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                wrong += shown.Pixel(at.x + x, at.y + y) != want.Pixel(x, y);
        EXPECT_EQ(wrong, 0);
    }
};

// A push button's outer ring: black on a default button.
void ExpectDefaultFrame(const platform::Surface& pixels, RECT button, bool is_default) {
    uint32_t ring = is_default ? kBlack : kWhite;
    EXPECT_EQ(pixels.Pixel(button.left, button.top + 3), ring);
    EXPECT_EQ(pixels.Pixel(button.left + 3, button.top), ring);
    EXPECT_EQ(pixels.Pixel(button.right - 1, button.bottom - 2), kBlack);
}

TEST_F(Snapshot, NameEntry) {
    Take(IDD_NAME_ENTRY, IDC_NAME_OK, "101_name_entry",
         [](HWND dialog, const platform::Surface& pixels) {
             EXPECT_EQ(pixels.Pixel(2, 2), kFace);
             // The modal-dialog frame takes the place of the static edge, so the label's client
             // area inside its five pixels of frame is one text line high.
             HWND label =
                 GetWindow(GetWindow(GetWindow(dialog, GW_CHILD), GW_HWNDNEXT), GW_HWNDNEXT);
             RECT client{};
             GetClientRect(label, &client);
             EXPECT_EQ(client, (RECT{0, 0, 85, 13}));
             ExpectDefaultFrame(pixels, RectInDialog(GetDlgItem(dialog, IDC_NAME_OK)), true);
             // The name field: a sunken edge, grey then black, around white.
             RECT field = RectInDialog(GetDlgItem(dialog, IDC_NAME));
             EXPECT_EQ(pixels.Pixel(field.left + 5, field.top), kGrey);
             EXPECT_EQ(pixels.Pixel(field.left + 5, field.top + 1), kBlack);
             EXPECT_EQ(pixels.Pixel(field.left + 5, field.top + 2), kWhite);
             EXPECT_EQ(pixels.Pixel(field.right - 3, field.bottom - 3), kWhite);
         });
}

TEST_F(Snapshot, NameEntryWhileTyping) {
    // A name typed, then the last three letters selected with Shift.
    auto type = [](ModalWindow& box) {
        box.PressKey(VK_TAB, 10);
        box.TypeText("Quibbert", 20);
        for (int i = 0; i < 3; ++i) box.PressKey(VK_LEFT, 30, true);
    };
    Take(
        IDD_NAME_ENTRY, IDC_NAME_OK, "101_name_entry_typing",
        [](HWND dialog, const platform::Surface& pixels) {
            RECT field = RectInDialog(GetDlgItem(dialog, IDC_NAME));
            int left = field.left + 2, top = field.top + 2;  // the client area
            int ink = 0, highlight = 0;
            for (int y = top; y < field.bottom - 2; ++y)
                for (int x = left; x < field.right - 2; ++x) {
                    ink += pixels.Pixel(x, y) == kBlack;
                    highlight += pixels.Pixel(x, y) == 0x000080;
                }
            EXPECT_GT(ink, 40);         // "Quibb" and the caret
            EXPECT_GT(highlight, 100);  // behind "ert"
            // The "OK" button lost its dotted focus rectangle (inside its black default frame
            // and two 3-D rings) to the field, but is still the default.
            RECT ok = RectInDialog(GetDlgItem(dialog, IDC_NAME_OK));
            for (int x = ok.left + 5; x < ok.right - 5; ++x)
                ASSERT_EQ(pixels.Pixel(x, ok.top + 5), kFace) << x;
            ExpectDefaultFrame(pixels, ok, true);
        },
        type);
}

TEST_F(Snapshot, Splash) {
    platform::Surface title = Picture(IDB_TITLE);
    Take(IDD_SPLASH, IDC_PLAY, "110_splash", [&](HWND dialog, const platform::Surface& pixels) {
        ExpectPicture(pixels, POINT{11, 11}, title, title.width, title.height);
        // Only the focused "Story" looks like the default while it has the focus.
        ExpectDefaultFrame(pixels, RectInDialog(GetDlgItem(dialog, IDC_STORY)), true);
        ExpectDefaultFrame(pixels, RectInDialog(GetDlgItem(dialog, IDC_PLAY)), false);
        EXPECT_EQ(pixels.Pixel(5, 230), kFace);
    });
}

TEST_F(Snapshot, Story) {
    platform::Surface emblem = Picture(IDB_EMBLEM);
    Take(IDD_STORY, IDOK, "112_story", [&](HWND, const platform::Surface& pixels) {
        // The emblem inside a black border, and that inside the half-sunken edge: grey above,
        // white below.
        ExpectPicture(pixels, POINT{250, 12}, emblem, emblem.width, emblem.height);
        EXPECT_EQ(pixels.Pixel(260, 10), kGrey);
        EXPECT_EQ(pixels.Pixel(260, 11), kBlack);
        EXPECT_EQ(pixels.Pixel(260, 103), kBlack);
        EXPECT_EQ(pixels.Pixel(260, 104), kWhite);
    });
}

TEST_F(Snapshot, AboutCutsThePictureOffAtItsEdge) {
    platform::Surface title = Picture(IDB_TITLE);
    Take(IDD_ABOUT, IDOK, "118_about", [&](HWND, const platform::Surface& pixels) {
        ASSERT_EQ(pixels.width, 374);
        ASSERT_LT(pixels.width, title.width);
        // Every column up to the dialog's right edge shows the picture's own column.
        ExpectPicture(pixels, POINT{0, 0}, title, pixels.width, title.height);
        EXPECT_EQ(pixels.Pixel(373, 157), kFace);
    });
}

}  // namespace
}  // namespace dialog_tests
