// The four templates as laid out in pixels, worked out by hand: dialog units of the 8-point font
// are 1.5 pixels across and 1.625 down, a control's position and its size each rounded on its
// own, the template's size is the client area, and a picture control takes its picture's size.
// Our Linux layer's dialog manager and the real one are both held to it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"
#include "resources/resource_ids.h"

namespace dialog_tests {

struct ExpectedControl {
    int id;  // the standard form keeps 16 bits, so -1 reads back as 0xFFFF
    const char* text;
    RECT rect;
};

struct ExpectedDialog {
    int number;
    const char* title;
    bool close_box;
    SIZE client;
    std::vector<ExpectedControl> controls;  // in tab order
};

inline const ExpectedDialog kDialogs[] = {
    {IDD_NAME_ENTRY,
     "Quibbert's Hall of Fame",
     false,
     {357, 151},
     {{IDC_NAME_OK, "OK", {263, 107, 347, 140}},
      {IDC_STATIC, "New High Score!", {11, 11, 98, 29}},
      {IDC_STATIC, "Enter your name:", {131, 37, 226, 60}},
      {IDC_NAME, "", {75, 62, 284, 85}}}},
    {IDD_SPLASH,
     "Grommelin Quibbert's Zandrofel V2.27",
     false,
     {429, 237},
     {{0xFFFF, "#111", {11, 11, 419, 168}},  // the picture's own 408 x 157
      {0xFFFF, "A game by the Grommelins", {149, 172, 280, 185}},
      {0xFFFF, "Pictures and code", {171, 190, 258, 203}},
      {IDC_STORY, "Story", {11, 200, 91, 226}},
      {0xFFFF, "Press PLAY! when ready", {153, 213, 273, 226}},
      {IDC_PLAY, "PLAY!", {339, 200, 419, 226}}}},
    {IDD_STORY,
     "The Story...",
     true,
     {353, 171},
     {{IDOK, "OK", {263, 137, 338, 160}},
      {0xFFFF, "The Grommelin quibbert has done it again...", {11, 10, 215, 23}},
      {0xFFFF,
       "Hurry and help quibbert turn off the oven\nbefore his house catches on FIRE!\n"
       "You have 15 seconds, good luck!",
       {11, 78, 215, 124}},
      {0xFFFF,
       "He left his house to go get some brown sugar, \nforgetting about the toaster pastries "
       "he had left\nin the oven!!!",
       {11, 31, 239, 70}},
      // 91 x 91 inside a black border and a sunken edge
      {0xFFFF, "#115", {248, 10, 343, 105}}}},
    {IDD_ABOUT,
     "About",
     true,
     {374, 284},
     {{IDOK, "OK", {288, 250, 363, 273}},
      {0xFFFF, "#111", {0, 0, 408, 157}},  // wider than the dialog
      {0xFFFF, "A game by the Grommelins", {122, 159, 253, 172}},
      {0xFFFF, "Pictures and code", {144, 177, 231, 190}},
      {0xFFFF, "Thanks for playing!", {11, 198, 176, 211}},
      {0xFFFF,
       "Changes since last version:\n=>Dialog boxs!\n=>New Graphics && Sounds\n"
       "=>Fixed up source code",
       {11, 221, 164, 273}},
      {0xFFFF, "V.2.27", {41, 167, 74, 180}}}},
};

inline std::string TextOf(HWND hwnd) {
    char text[512];
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The dialog window itself: its title, whether it has a close box, and its client size.
inline void ExpectDialogWindow(HWND dialog, const ExpectedDialog& want) {
    EXPECT_EQ(TextOf(dialog), want.title);
    EXPECT_EQ((GetWindowLongPtrA(dialog, GWL_STYLE) & WS_SYSMENU) != 0, want.close_box);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, want.client.cx);
    EXPECT_EQ(client.bottom, want.client.cy);
}

}  // namespace dialog_tests
