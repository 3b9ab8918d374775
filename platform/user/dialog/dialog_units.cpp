// Dialog units: a template's coordinates scale with its font, a quarter of the average
// character width across and an eighth of the character height down.
#include "platform/user/dialog/dialog.h"

namespace platform::user {

int ScaleRounded(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

BaseUnits BaseUnitsOf(HFONT font) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old =
        SelectObject(hdc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    // The average is taken over the alphabet, not the font's own figure, as the system does.
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE alphabet{};
    GetTextExtentPoint32A(hdc, kLetters, 52, &alphabet);
    TEXTMETRICA metrics{};
    GetTextMetricsA(hdc, &metrics);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    return BaseUnits{(alphabet.cx / 26 + 1) / 2, metrics.tmHeight};
}

RECT DialogUnitsToPixels(const RECT& units, BaseUnits base) {
    return RECT{ScaleRounded(units.left, base.x, 4), ScaleRounded(units.top, base.y, 8),
                ScaleRounded(units.right, base.x, 4), ScaleRounded(units.bottom, base.y, 8)};
}

}  // namespace platform::user

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
    platform::user::DialogData* data = platform::user::DialogOf(dialog);
    if (!data || !rect) return FALSE;
    *rect = platform::user::DialogUnitsToPixels(*rect, data->base_units);
    return TRUE;
}
