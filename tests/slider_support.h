// Helpers the horizontal and vertical slider tests share.
#pragma once
#include "ztest.h"

namespace slidertest {

// The system colours the shared pens and brushes were made from.
struct Colours {
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
};

// A pixel that must have a colour.
struct Dot {
    int x, y;
    COLORREF colour;
};

inline ::testing::AssertionResult DotsAre(HWND hwnd, std::initializer_list<Dot> dots)
{
    for (const Dot& d : dots) {
        const COLORREF c = ztest::Pixel(hwnd, d.x, d.y);
        if (c != d.colour)
            return ::testing::AssertionFailure() << "pixel (" << d.x << ", " << d.y << ") is " << ztest::Hex(c)
                                                 << ", expected " << ztest::Hex(d.colour);
    }
    return ::testing::AssertionSuccess();
}

// How many pixels of the client rectangle have the colour.
inline int CountColour(HWND hwnd, RECT area, COLORREF colour)
{
    HDC dc = GetDC(hwnd);
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += GetPixel(dc, x, y) == colour;
    ReleaseDC(hwnd, dc);
    return n;
}

// Paints the whole client area in a colour the control never uses, so that a
// later paint shows exactly which pixels it touched.
inline void Scribble(HWND hwnd, COLORREF colour)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC dc = GetDC(hwnd);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    ReleaseDC(hwnd, dc);
}

// The cursor's display count (ShowCursor answers the new count).
inline int CursorCount()
{
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

inline RECT ClipRect()
{
    RECT rc{};
    GetClipCursor(&rc);
    return rc;
}

inline RECT WindowRect(HWND hwnd)
{
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}

// The WM_COMMAND messages the parent received since the log was last cleared.
inline std::vector<ztest::Msg> Commands(ztest::ParentWindow& parent)
{
    return parent.log().Only({WM_COMMAND});
}

inline LONG Send(HWND hwnd, UINT msg, LONG value = 0)
{
    return static_cast<LONG>(SendMessageA(hwnd, msg, static_cast<WPARAM>(value), 0));
}

// A press and a release at the same client point.
inline void Click(HWND hwnd, int x, int y)
{
    ztest::Mouse(hwnd, WM_LBUTTONDOWN, x, y);
    ztest::Mouse(hwnd, WM_LBUTTONUP, x, y);
}

struct KeyStep {
    WPARAM key;
    LONG expected;  // the value after the key
};

// Sends each key in turn; after each the value must be the expected one and
// the parent must have heard one SLN_POSCHANGED exactly when the value moved.
inline ::testing::AssertionResult KeysGive(ztest::ParentWindow& parent, HWND slider, UINT getPos,
                                           std::initializer_list<KeyStep> steps)
{
    const int id = GetDlgCtrlID(slider);
    LONG previous = Send(slider, getPos);
    for (const KeyStep& s : steps) {
        parent.log().Clear();
        if (SendMessageA(slider, WM_KEYDOWN, s.key, 0) != 0)
            return ::testing::AssertionFailure() << "key " << s.key << " answered nonzero";
        const LONG value = Send(slider, getPos);
        if (value != s.expected)
            return ::testing::AssertionFailure() << "key " << s.key << " gave " << value << ", expected " << s.expected;
        auto reported = s.expected != previous
                            ? ztest::SequenceIs(Commands(parent), {ztest::Command(id, SLN_POSCHANGED, slider)})
                            : ztest::SequenceIs(Commands(parent), {});
        if (!reported)
            return reported << " after key " << s.key;
        previous = value;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace slidertest
