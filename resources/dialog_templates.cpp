// The four dialog templates: name entry, splash, story and About, in dialog units of their
// 8-point "MS Sans Serif", controls in tab order.
#include "resources/dialog_templates.h"

#include <iterator>

#include "platform/dialog_template.h"
#include "platform/win32.h"
#include "resources/resource_ids.h"

namespace resources {
namespace {

// A pop-up with a title bar and a modal frame; no system menu, so no close box.
constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kDialogWithClose = kDialog | WS_SYSMENU;

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kText = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD kPicture = WS_CHILD | WS_VISIBLE | SS_BITMAP;
constexpr DWORD kFramedPicture = kPicture | WS_BORDER | SS_SUNKEN;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;

constexpr DLGTEMPLATEFONT kFont{8, FW_NORMAL, FALSE, DEFAULT_CHARSET, "MS Sans Serif"};

// Pictures are named by number, as MAKEINTRESOURCEA makes them, so the tables below are
// filled in when the program starts rather than at compile time.

// The credit lines, each short enough for its control.
constexpr char kCreditMaker[] = "A game by the Grommelins";
constexpr char kCreditWork[] = "Pictures and code";
constexpr char kCreditPrompt[] = "Press PLAY! when ready";
constexpr char kCreditThanks[] = "Thanks for playing!";

const DLGITEMTEMPLATE kNameEntryItems[] = {
    {"Button", "OK", IDC_NAME_OK, kButton, 0, 175, 66, 56, 20},
    {"Static", "New High Score!", IDC_STATIC, kText, WS_EX_CLIENTEDGE, 7, 7, 58, 11},
    {"Static", "Enter your name:", IDC_STATIC, kText,
     WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 87, 23, 63, 14},
    {"Edit", "", IDC_NAME, kEdit, 0, 50, 38, 139, 14},
};

const DLGITEMTEMPLATE kSplashItems[] = {
    {"Static", MAKEINTRESOURCEA(IDB_TITLE), IDC_STATIC, kPicture, 0, 7, 7, 272, 97},
    {"Static", kCreditMaker, IDC_STATIC, kText, 0, 99, 106, 87, 8},
    {"Static", kCreditWork, IDC_STATIC, kText, 0, 114, 117, 58, 8},
    {"Button", "Story", IDC_STORY, kButton, 0, 7, 123, 53, 16},
    {"Static", kCreditPrompt, IDC_STATIC, kText, 0, 102, 131, 80, 8},
    {"Button", "PLAY!", IDC_PLAY, kButton, 0, 226, 123, 53, 16},
};

const DLGITEMTEMPLATE kStoryItems[] = {
    {"Button", "OK", IDOK, kButton, 0, 175, 84, 50, 14},
    {"Static", "The Grommelin quibbert has done it again...", IDC_STATIC, kText, 0, 7, 6, 136, 8},
    {"Static",
     "Hurry and help quibbert turn off the oven\nbefore his house catches on FIRE!\n"
     "You have 15 seconds, good luck!",
     IDC_STATIC, kText, 0, 7, 48, 136, 28},
    {"Static",
     "He left his house to go get some brown sugar, \nforgetting about the toaster pastries "
     "he had left\nin the oven!!!",
     IDC_STATIC, kText, 0, 7, 19, 152, 24},
    {"Static", MAKEINTRESOURCEA(IDB_EMBLEM), IDC_STATIC, kFramedPicture, 0, 165, 6, 63, 58},
};

const DLGITEMTEMPLATE kAboutItems[] = {
    {"Button", "OK", IDOK, kButton, 0, 192, 154, 50, 14},
    {"Static", MAKEINTRESOURCEA(IDB_TITLE), IDC_STATIC, kPicture, 0, 0, 0, 272, 97},
    {"Static", kCreditMaker, IDC_STATIC, kText, 0, 81, 98, 87, 8},
    {"Static", kCreditWork, IDC_STATIC, kText, 0, 96, 109, 58, 8},
    {"Static", kCreditThanks, IDC_STATIC, kText, 0, 7, 122, 110, 8},
    {"Static",
     "Changes since last version:\n=>Dialog boxs!\n=>New Graphics && Sounds\n"
     "=>Fixed up source code",
     IDC_STATIC, kText, 0, 7, 136, 102, 32},
    {"Static", "V.2.27", IDC_STATIC, kText, 0, 27, 103, 22, 8},
};

template <size_t N>
DLGTEMPLATE Dialog(DWORD style, short cx, short cy, LPCSTR title, const DLGITEMTEMPLATE (&items)[N],
                   bool extended = false) {
    return DLGTEMPLATE{style, 0, 0, 0, cx, cy, title, kFont, extended, items, WORD{N}};
}

const DLGTEMPLATE kNameEntry =
    Dialog(kDialog, 238, 93, "Quibbert's Hall of Fame", kNameEntryItems, true);
const DLGTEMPLATE kSplash =
    Dialog(kDialog, 286, 146, "Grommelin Quibbert's Zandrofel V2.27", kSplashItems);
const DLGTEMPLATE kStory = Dialog(kDialogWithClose, 235, 105, "The Story...", kStoryItems);
const DLGTEMPLATE kAbout = Dialog(kDialogWithClose, 249, 175, "About", kAboutItems);

platform::ResourceEntry Entry(int number, const DLGTEMPLATE& dialog) {
    return platform::ResourceEntry{RT_DIALOG, MAKEINTRESOURCEA(number), &dialog,
                                   sizeof(DLGTEMPLATE)};
}

}  // namespace

std::span<const platform::ResourceEntry> DialogTemplateEntries() {
    static const platform::ResourceEntry entries[] = {
        Entry(IDD_NAME_ENTRY, kNameEntry),
        Entry(IDD_SPLASH, kSplash),
        Entry(IDD_STORY, kStory),
        Entry(IDD_ABOUT, kAbout),
    };
    return entries;
}

}  // namespace resources
