// Small RAII guards for device contexts and GDI objects.  Every painter uses
// them so that each path out of a function selects back what it selected and
// deletes what it created.
#pragma once
#include <windows.h>

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

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDC() { EndPaint(hwnd_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc_; }
    const PAINTSTRUCT& paint() const { return ps_; }
private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
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

// Line helpers: MoveToEx/LineTo through a list of points.
inline void Polyline2(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

inline void Polyline3(HDC dc, int x0, int y0, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    LineTo(dc, x2, y2);
}

}  // namespace zt
