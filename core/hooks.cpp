// The mouse hook, which reports left-button presses in one window to another
// window, and the Ctrl+Alt hot keys, which post a window's message and
// swallow the key.  Both hooks watch every thread.  The library's data is not
// shared between processes, so in another process the hook procedures find no
// target and no hot keys and let every event through.
#include "gdiguard.h"
#include "hooks.h"
#include "ztcore.h"

HHOOK MouseHookHandle;
HWND MouseTarget;
UINT MouseMessage;
HWND MouseFilter;

HHOOK HotKeyHookHandle;
HotKeyRecord* HotKeyList;

namespace {

constexpr int kMaxKeys = 4;

// Held while the hooks, the mouse target or the hot-key list change or are
// read: any thread may set them, and the hooks run on every thread.
SRWLOCK HookLock = SRWLOCK_INIT;

bool IsDown(const BYTE (&keys)[256], int vk)
{
    return (keys[vk] & 0x80) != 0;
}

// The link that points at the window's record, or at the list's final null.
HotKeyRecord** FindHotKeys(HWND hwnd)
{
    HotKeyRecord** link = &HotKeyList;
    while (*link && (*link)->Window != hwnd)
        link = &(*link)->Next;
    return link;
}

void RemoveKeyboardHook()
{
    if (HotKeyHookHandle) {
        UnhookWindowsHookEx(HotKeyHookHandle);
        HotKeyHookHandle = nullptr;
    }
}

}  // namespace

BOOL WINAPI ZTC_SetMouseHook(HWND target, UINT message, HWND filter)
{
    zt::Exclusive hooks(HookLock);
    if (target && filter) {
        MouseTarget = target;
        MouseFilter = filter;
        MouseMessage = message;
        if (!MouseHookHandle)
            MouseHookHandle = SetWindowsHookExA(WH_MOUSE, MouseHookProc, LibInstance, 0);
    } else if (MouseHookHandle) {
        UnhookWindowsHookEx(MouseHookHandle);
        MouseHookHandle = nullptr;
    }
    return TRUE;
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (code >= 0 && code != HC_NOREMOVE && mouse && (wParam == WM_LBUTTONDOWN || wParam == WM_NCLBUTTONDOWN)) {
        zt::Exclusive hooks(HookLock);
        if (MouseFilter && mouse->hwnd == MouseFilter)
            PostMessageA(MouseTarget, MouseMessage, wParam, static_cast<LPARAM>(mouse->wHitTestCode));
    }
    return CallNextHookEx(MouseHookHandle, code, wParam, lParam);
}

BOOL WINAPI ZTC_SetHotKeys(HWND hwnd, UINT message, int count, const UINT* keys)
{
    if (count > kMaxKeys || (count > 0 && !keys))
        return FALSE;
    zt::Exclusive hooks(HookLock);
    if (!HotKeyHookHandle) {
        HotKeyHookHandle = SetWindowsHookExA(WH_KEYBOARD, HotKeyHook, LibInstance, 0);
        if (!HotKeyHookHandle)
            return FALSE;
    }
    HotKeyRecord* record = *FindHotKeys(hwnd);
    if (!record) {
        record = static_cast<HotKeyRecord*>(LocalAlloc(LPTR, sizeof(HotKeyRecord)));
        if (!record) {
            if (!HotKeyList)
                RemoveKeyboardHook();
            return FALSE;
        }
        record->Next = HotKeyList;
        HotKeyList = record;
    }
    record->Window = hwnd;
    record->Message = message;
    record->KeyCount = count;
    for (int i = 0; i < count; ++i)
        record->Keys[i] = keys[i];
    return TRUE;
}

BOOL WINAPI ZTC_KillHotKeys(HWND hwnd)
{
    zt::Exclusive hooks(HookLock);
    HotKeyRecord** link = FindHotKeys(hwnd);
    HotKeyRecord* record = *link;
    if (!record)
        return FALSE;
    *link = record->Next;
    LocalFree(record);
    if (!HotKeyList)
        RemoveKeyboardHook();
    return TRUE;
}

LRESULT CALLBACK HotKeyHook(int code, WPARAM key, LPARAM flags)
{
    if (code < 0)
        return CallNextHookEx(HotKeyHookHandle, code, key, flags);
    if (code == HC_NOREMOVE)
        return 0;
    BYTE keys[256];
    if (!GetKeyboardState(keys) || !IsDown(keys, VK_MENU) || !IsDown(keys, VK_CONTROL))
        return 0;  // Shift is not looked at
    if (static_cast<DWORD>(flags) & 0x80000000u)
        return 0;  // a release; presses and their repeats go on
    zt::Exclusive hooks(HookLock);
    for (const HotKeyRecord* record = HotKeyList; record; record = record->Next)
        for (int i = 0; i < record->KeyCount && i < kMaxKeys; ++i)
            if (record->Keys[i] == key) {
                PostMessageA(record->Window, record->Message, key, flags);
                return 1;  // the keystroke goes no further
            }
    return 0;
}
