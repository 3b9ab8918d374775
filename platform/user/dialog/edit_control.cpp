// The single-line edit control: white field, text in its font, the selection in the highlight
// colours and a caret while it has the focus. It keeps characters, arrows, Home, End, Delete
// and Backspace, and leaves Enter, Escape and Tab to the dialog. The text scrolls sideways
// with ES_AUTOHSCROLL; without it, typing stops at the right edge. The parent hears EN_CHANGE
// after every change and EN_MAXTEXT when typing is refused.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/user/dialog/dialog.h"
#include "platform/user/dialog/edit_line.h"
#include "platform/user/user_state.h"
#include "platform/user/window_class.h"

namespace platform::user {
namespace {

constexpr int kMargin = 1;  // between the client edge and the text, on every side

struct EditData : WindowExtension {
    EditLine line;
    HFONT font = nullptr;
    int scroll = 0;         // pixels of the text hidden past the left edge
    bool tracking = false;  // the mouse is selecting
};

EditData* EditOf(HWND hwnd) {
    Window* window = State().Find(hwnd);
    return window ? dynamic_cast<EditData*>(window->extension.get()) : nullptr;
}

// Text measurements in the control's font, through a DC of its own.
class Measure {
  public:
    explicit Measure(HFONT font) : hdc_(CreateCompatibleDC(nullptr)) {
        old_ = SelectObject(hdc_,
                            font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    }
    ~Measure() {
        SelectObject(hdc_, old_);
        DeleteDC(hdc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int Width(const std::string& text, size_t count) const {
        if (count == 0) return 0;
        SIZE size{};
        GetTextExtentPoint32A(hdc_, text.data(), static_cast<int>(count), &size);
        return size.cx;
    }
    int Height() const {
        TEXTMETRICA metrics{};
        GetTextMetricsA(hdc_, &metrics);
        return metrics.tmHeight;
    }
    // The character boundary nearest to `x` pixels from the text's start. Raster fonts do not
    // kern, so the advances simply add up.
    size_t PositionAt(const std::string& text, int x) const {
        int left = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            int right = left + Width(text.substr(i, 1), 1);
            if (x < (left + right + 1) / 2) return i;
            left = right;
        }
        return text.size();
    }

  private:
    HDC hdc_;
    HGDIOBJ old_;
};

int VisibleWidth(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    return std::max(0, static_cast<int>(client.right) - 2 * kMargin);
}

bool Scrolls(HWND hwnd) {
    return (GetWindowLongPtrA(hwnd, GWL_STYLE) & ES_AUTOHSCROLL) != 0;
}

// Scrolls just far enough that the caret shows and no room is wasted on the right.
void KeepCaretInView(HWND hwnd, EditData& data) {
    Measure measure(data.font);
    const std::string& text = data.line.text();
    int visible = VisibleWidth(hwnd);
    int caret_x = measure.Width(text, data.line.caret());
    int total = measure.Width(text, text.size());
    data.scroll = std::min(data.scroll, std::max(0, total - visible));
    if (caret_x < data.scroll) data.scroll = caret_x;
    if (caret_x > data.scroll + visible) data.scroll = caret_x - visible;
}

void Notify(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

void Redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
}

// After the text or the caret moved: scroll, repaint, and tell the parent of a change.
void Changed(HWND hwnd, EditData& data, EditLine::Result result) {
    if (result == EditLine::Result::kFull) {
        Notify(hwnd, EN_MAXTEXT);
        return;
    }
    KeepCaretInView(hwnd, data);
    Redraw(hwnd);
    if (result == EditLine::Result::kChanged) Notify(hwnd, EN_CHANGE);
}

// Paints one run of the text, [begin, end), in the given colours.
void PaintRun(HDC hdc, const Measure& measure, const std::string& text, size_t begin, size_t end,
              int x, int y, int text_colour, int back_colour) {
    if (begin >= end) return;
    int left = x + measure.Width(text, begin), right = x + measure.Width(text, end);
    if (back_colour >= 0) {
        RECT box{left, y, right, y + measure.Height()};
        FillRect(hdc, &box, GetSysColorBrush(back_colour));
    }
    SetTextColor(hdc, GetSysColor(text_colour));
    TextOutA(hdc, left, y, text.data() + begin, static_cast<int>(end - begin));
}

void Paint(HWND hwnd, EditData& data) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hwnd, &paint);
    if (!hdc) return;
    RECT client;
    GetClientRect(hwnd, &client);
    bool enabled = IsWindowEnabled(hwnd), focused = GetFocus() == hwnd;
    FillRect(hdc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_3DFACE));
    Measure measure(data.font);
    HGDIOBJ old_font = SelectObject(
        hdc, data.font ? static_cast<HGDIOBJ>(data.font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    const EditLine& line = data.line;
    const std::string& text = line.text();
    int x = kMargin - data.scroll, y = kMargin;
    int ink = enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT;
    // The selection shows only while the field has the focus.
    size_t start = focused ? line.selection_start() : text.size();
    size_t end = focused ? line.selection_end() : text.size();
    PaintRun(hdc, measure, text, 0, start, x, y, ink, -1);
    PaintRun(hdc, measure, text, start, end, x, y, COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT);
    PaintRun(hdc, measure, text, end, text.size(), x, y, ink, -1);
    if (focused) {
        int caret_x = x + measure.Width(text, line.caret());
        RECT caret{caret_x, y, caret_x + 1, y + measure.Height()};
        FillRect(hdc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    SelectObject(hdc, old_font);
    EndPaint(hwnd, &paint);
}

void Type(HWND hwnd, EditData& data, char character) {
    EditLine typed = data.line;
    EditLine::Result result = typed.Insert(character);
    // Without sideways scrolling the text may not grow past the field's right edge.
    if (result == EditLine::Result::kChanged && !Scrolls(hwnd)) {
        Measure measure(data.font);
        if (measure.Width(typed.text(), typed.text().size()) > VisibleWidth(hwnd))
            result = EditLine::Result::kFull;
    }
    if (result != EditLine::Result::kFull) data.line = typed;
    Changed(hwnd, data, result);
}

LRESULT OnKeyDown(HWND hwnd, EditData& data, WPARAM key) {
    EditLine& line = data.line;
    auto extend = GetKeyState(VK_SHIFT) < 0 ? EditLine::Extend::kSelect : EditLine::Extend::kMove;
    EditLine::Result result = EditLine::Result::kUnchanged;
    switch (key) {
        case VK_LEFT:
        case VK_UP:  // a single line has no lines above: up and down move like left and right
            line.Left(extend);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            line.Right(extend);
            break;
        case VK_HOME:
            line.Home(extend);
            break;
        case VK_END:
            line.End(extend);
            break;
        case VK_DELETE:
            result = line.Delete();
            break;
        default:
            return 0;
    }
    Changed(hwnd, data, result);
    return 0;
}

LRESULT OnChar(HWND hwnd, EditData& data, WPARAM character) {
    if (character == VK_BACK) {
        Changed(hwnd, data, data.line.Backspace());
    } else if (character >= ' ' && character != 0x7F && character <= 0xFF) {
        Type(hwnd, data, static_cast<char>(character));
    }
    // Enter, Escape, Tab and other control characters type nothing.
    return 0;
}

LRESULT OnMouse(HWND hwnd, EditData& data, UINT message, LPARAM lparam) {
    Measure measure(data.font);
    int x = GET_X_LPARAM(lparam) - kMargin + data.scroll;
    size_t position = measure.PositionAt(data.line.text(), x);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND parent = GetParent(hwnd);
            if (DialogOf(parent))
                SetDialogFocus(parent, hwnd);
            else
                SetFocus(hwnd);
            if (GetFocus() != hwnd) return 0;
            bool shift = GetKeyState(VK_SHIFT) < 0;
            data.line.MoveTo(position, shift ? EditLine::Extend::kSelect : EditLine::Extend::kMove);
            State().input().SetCapture(hwnd);
            data.tracking = true;
            break;
        }
        case WM_MOUSEMOVE:
            if (!data.tracking) return 0;
            data.line.MoveTo(position, EditLine::Extend::kSelect);
            break;
        case WM_LBUTTONUP:
            if (!data.tracking) return 0;
            data.tracking = false;
            State().input().ReleaseCapture();
            return 0;
        default:
            return 0;
    }
    Changed(hwnd, data, EditLine::Result::kUnchanged);
    return 0;
}

LRESULT GetText(const EditData& data, WPARAM size, LPSTR buffer) {
    if (!buffer || size == 0) return 0;
    const std::string& text = data.line.text();
    size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT OnSelection(HWND hwnd, EditData& data, UINT message, WPARAM wparam, LPARAM lparam) {
    EditLine& line = data.line;
    if (message == EM_SETSEL) {
        line.Select(static_cast<long>(static_cast<int>(wparam)), static_cast<long>(lparam));
        Changed(hwnd, data, EditLine::Result::kUnchanged);
        return 0;
    }
    auto start = static_cast<DWORD>(line.selection_start());
    auto end = static_cast<DWORD>(line.selection_end());
    if (wparam) *reinterpret_cast<DWORD*>(wparam) = start;
    if (lparam) *reinterpret_cast<DWORD*>(lparam) = end;
    return MAKELONG(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
}

LRESULT OnFocus(HWND hwnd, EditData& data, UINT message) {
    if (message == WM_KILLFOCUS && data.tracking) {
        data.tracking = false;
        State().input().ReleaseCapture();
    }
    // A phone brings its keyboard up only while a field can take what is typed.
    State().host().SetTextInput(message == WM_SETFOCUS);
    Redraw(hwnd);
    Notify(hwnd, message == WM_SETFOCUS ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

LRESULT OnSetText(HWND hwnd, EditData& data, LPARAM lparam) {
    // The limit holds typing back, not the program.
    data.line.SetText(lparam ? reinterpret_cast<LPCSTR>(lparam) : "");
    data.scroll = 0;
    Changed(hwnd, data, EditLine::Result::kChanged);
    return TRUE;
}

LRESULT Create(HWND hwnd) {
    Window* window = State().Find(hwnd);
    if (!window) return FALSE;
    auto data = std::make_unique<EditData>();
    // The text lives in the line from now on, never in the window record, so the dialog's
    // mnemonic search does not read what the player typed.
    data->line.SetText(std::move(window->text));
    window->text.clear();
    window->extension = std::move(data);
    return TRUE;
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) return Create(hwnd);
    EditData* data = EditOf(hwnd);
    if (!data) return DefWindowProcA(hwnd, message, wparam, lparam);
    switch (message) {
        case WM_PAINT:
            Paint(hwnd, *data);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        case WM_KEYDOWN:
            return OnKeyDown(hwnd, *data, wparam);
        case WM_CHAR:
            return OnChar(hwnd, *data, wparam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            return OnMouse(hwnd, *data, message, lparam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            return OnFocus(hwnd, *data, message);
        case WM_ENABLE:
            Redraw(hwnd);
            return 0;
        case WM_SETTEXT:
            return OnSetText(hwnd, *data, lparam);
        case WM_GETTEXT:
            return GetText(*data, wparam, reinterpret_cast<LPSTR>(lparam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(data->line.text().size());
        case WM_SETFONT:
            data->font = reinterpret_cast<HFONT>(wparam);
            if (lparam) Redraw(hwnd);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(data->font);
        case EM_LIMITTEXT:
            data->line.set_limit(static_cast<size_t>(wparam));
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(data->line.limit());
        case EM_SETSEL:
        case EM_GETSEL:
            return OnSelection(hwnd, *data, message, wparam, lparam);
        default:
            return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

}  // namespace

void RegisterEditClass(ClassRegistry& classes) {
    WNDCLASSA control{};
    control.style = CS_DBLCLKS;
    control.lpfnWndProc = &EditProc;
    control.lpszClassName = kEditClass;
    classes.Register(control);
}

}  // namespace platform::user
