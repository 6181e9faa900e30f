// Small RAII guards for device contexts, GDI objects and locks, and the one line
// helper.  Every painter uses them so that each path out of a function
// selects back what it selected and deletes what it created.
#pragma once
#include <windows.h>

#include <initializer_list>

namespace zt {

// Selects an object into a DC and selects the previous one back on scope exit.
// A null object selects nothing (and restores nothing).
class Select {
public:
    Select(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~Select() { if (old_) SelectObject(dc_, old_); }
    Select(const Select&) = delete;
    Select& operator=(const Select&) = delete;
    HGDIOBJ previous() const { return old_; }
private:
    HDC dc_;
    HGDIOBJ old_;
};

// Owns a created pen, brush, font, bitmap or region and deletes it.
// Declare it before any Select of the same object, so that the object is
// selected out before it is deleted.
template <class H>
class Owned {
public:
    explicit Owned(H h = nullptr) : h_(h) {}
    ~Owned() { if (h_) DeleteObject(h_); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    H get() const { return h_; }
    operator H() const { return h_; }
    H release() { H h = h_; h_ = nullptr; return h; }
private:
    H h_;
};

// A memory DC, deleted on scope exit.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HDC dc_;
};

// GetDC / ReleaseDC for a window (null window: the screen).
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() { if (dc_) ReleaseDC(hwnd_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HWND hwnd_;
    HDC dc_;
};

// The DC a paint message draws on: BeginPaint / EndPaint for WM_PAINT, the
// caller's DC in wParam for WM_PRINTCLIENT.  A window procedure hands both
// messages to one painter: `return XX_Paint(hwnd, s, zt::PaintDC(hwnd, msg, wParam));`
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : PaintDC(hwnd, WM_PAINT, 0) {}
    PaintDC(HWND hwnd, UINT msg, WPARAM wParam)
        : hwnd_(msg == WM_PAINT ? hwnd : nullptr),
          dc_(hwnd_ ? BeginPaint(hwnd, &ps_) : reinterpret_cast<HDC>(wParam)) {}
    ~PaintDC() { if (hwnd_) EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc_; }
    const PAINTSTRUCT& paint() const { return ps_; }
private:
    HWND hwnd_;  // null for WM_PRINTCLIENT: nothing to end
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A lock held exclusively for the scope.
class Exclusive {
public:
    explicit Exclusive(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~Exclusive() { ReleaseSRWLockExclusive(&lock_); }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;
private:
    SRWLOCK& lock_;
};

// SaveDC / RestoreDC.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDC() { if (id_) RestoreDC(dc_, id_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
private:
    HDC dc_;
    int id_;
};

// Lines through the points drawn with the pen (null: the DC's current pen):
// MoveToEx to the first point and LineTo each of the others, so the last
// point stays unpainted.  The DC's pen is selected back afterwards.
inline void Lines(HDC dc, HPEN pen, std::initializer_list<POINT> points)
{
    Select selected(dc, pen);
    const POINT* p = points.begin();
    MoveToEx(dc, p->x, p->y, nullptr);
    for (++p; p != points.end(); ++p)
        LineTo(dc, p->x, p->y);
}

}  // namespace zt
