// The state of the mouse hook and of the hot keys (per process).
#pragma once
#include <windows.h>

// One window's hot keys; the list holds at most one record per window.
struct HotKeyRecord {
    HotKeyRecord* Next;
    HWND Window;
    UINT Message;  // posted to Window
    int KeyCount;  // valid entries of Keys, at most 4
    UINT Keys[4];  // virtual-key codes
};

extern HHOOK MouseHookHandle;     // the WH_MOUSE hook, null when off
extern HWND MouseTarget;          // receives the reports
extern UINT MouseMessage;         // posted to MouseTarget
extern HWND MouseFilter;          // the window whose left presses are reported

extern HHOOK HotKeyHookHandle;    // the WH_KEYBOARD hook, null when off
extern HotKeyRecord* HotKeyList;  // newest first
