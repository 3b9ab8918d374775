// The numbers of the dialog templates, the pictures shown in dialogs and the controls the
// program addresses. Plain definitions, so a resource compiler can read this file too.
#pragma once

// Dialog templates
#define IDD_NAME_ENTRY 101
#define IDD_SPLASH 110
#define IDD_STORY 112
#define IDD_ABOUT 118

// The program's icon, which Explorer shows and the frame window loads
#define IDI_PROGRAM 128

// Pictures shown by the dialogs' picture controls
#define IDB_TITLE 111
#define IDB_EMBLEM 115

// Controls
#define IDC_NAME 1001     // the name-entry field
#define IDC_NAME_OK 1002  // its "OK" button
#define IDC_PLAY 1003     // the splash's "PLAY!"
#define IDC_STORY 2       // the splash's "Story": the cancel id, which Escape also sends

#ifndef IDC_STATIC
#define IDC_STATIC (-1)  // a control nobody addresses
#endif
