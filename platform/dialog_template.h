// Dialog templates as C++ data: what a compiled resource script holds for a dialog (its styles,
// size and title in dialog units, its font, and its controls in tab order), written as constant
// tables instead of the packed binary form. The dialog manager builds windows from them.
#pragma once

#include <cstddef>

#include "platform/win32.h"

// One control: its class, its text (or, for a picture, MAKEINTRESOURCEA of the bitmap's
// number), its id, styles and rectangle in dialog units.
struct DLGITEMTEMPLATE {
    LPCSTR windowClass;  // "Button", "Static", "Edit", or their numbers 0x80, 0x82, 0x81
    LPCSTR title;
    int id;  // -1 for controls nobody addresses; the standard form keeps only 16 bits
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
};

// The template's font, given when the style holds DS_SETFONT.
struct DLGTEMPLATEFONT {
    WORD pointsize;
    WORD weight;  // these three are stored by the extended form only
    BYTE italic;
    BYTE charset;
    LPCSTR typeface;
};

struct DLGTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;  // the client area's size
    short cy;
    LPCSTR title;
    DLGTEMPLATEFONT font;
    bool extended;  // stored in the extended form (DLGTEMPLATEEX)
    const DLGITEMTEMPLATE* items;
    WORD cdit;  // number of items
};
