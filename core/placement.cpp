// Window placement kept as one line of text in a private profile file, and
// moving top-level windows onto the screen or over another window.
#include "ztcore.h"

#include <cstdio>

namespace {

constexpr char kDefaultKey[] = "Placement";
constexpr int kTextLength = 128;  // the text read back holds at most 127 characters

LPCSTR KeyOrDefault(LPCSTR key)
{
    return key ? key : kDefaultKey;
}

// b - a and a + b on coordinates with wrap-around instead of overflow, so
// that any saved rectangle comes back exactly.
LONG Difference(LONG b, LONG a)
{
    return static_cast<LONG>(static_cast<ULONG>(b) - static_cast<ULONG>(a));
}

LONG Sum(LONG a, LONG b)
{
    return static_cast<LONG>(static_cast<ULONG>(a) + static_cast<ULONG>(b));
}

// Reads one field of the placement text: blanks, an optional minus sign
// directly followed by a digit, then decimal digits.  Stores the number and
// returns the characters consumed; a field without digits reads as 0 and
// consumes only its blanks.
int ReadField(LPCSTR text, LONG& field)
{
    const int blanks = ZTC_StrToInt(text, 0, nullptr);  // base 0 takes no digit
    LPCSTR p = text + blanks;
    const bool negative = p[0] == '-' && p[1] >= '0' && p[1] <= '9';
    UINT magnitude = 0;
    const int digits = ZTC_StrToInt(p + negative, 10, &magnitude);
    field = static_cast<LONG>(negative ? 0u - magnitude : magnitude);
    return digits ? blanks + negative + digits : blanks;
}

// Reads left, top, width, height and show state into the placement; returns
// the characters the show state's field consumed.
int ParsePlacement(LPCSTR text, WINDOWPLACEMENT& wp)
{
    RECT& r = wp.rcNormalPosition;
    LONG width = 0, height = 0, show = 0;
    LONG* fields[] = {&r.left, &r.top, &width, &height, &show};
    int used = 0;
    for (LONG* field : fields) {
        used = ReadField(text, *field);
        text += used;
    }
    r.right = Sum(r.left, width);
    r.bottom = Sum(r.top, height);
    wp.showCmd = static_cast<UINT>(show);
    return used;
}

// Where a span of length inner starts when centred over [start, end); the
// signed division truncates toward zero.
long long CentredStart(LONG start, LONG end, LONG inner)
{
    return start + ((static_cast<long long>(end) - start) - inner) / 2;
}

BOOL MoveWindowTo(HWND hwnd, long long x, long long y)
{
    return SetWindowPos(hwnd, nullptr, static_cast<int>(x), static_cast<int>(y), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

BOOL WINAPI ZTC_SaveWndPos(HWND hwnd, LPCSTR section, LPCSTR key, LPCSTR file)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(hwnd, &wp))
        return FALSE;
    const RECT& r = wp.rcNormalPosition;
    char text[kTextLength];
    std::snprintf(text, sizeof text, "%d %d %d %d %d", static_cast<int>(r.left), static_cast<int>(r.top),
                  static_cast<int>(Difference(r.right, r.left)), static_cast<int>(Difference(r.bottom, r.top)),
                  static_cast<int>(wp.showCmd));
    return WritePrivateProfileStringA(section, KeyOrDefault(key), text, file);
}

BOOL WINAPI ZTC_LoadWndPos(HWND hwnd, LPCSTR section, LPCSTR key, LPCSTR file, UINT show)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.flags = 0;  // the minimised position is not used
    wp.ptMaxPosition = POINT{-1, -1};

    char text[kTextLength];
    GetPrivateProfileStringA(section, KeyOrDefault(key), "", text, sizeof text, file);
    int showUsed = 0;
    if (text[0])
        showUsed = ParsePlacement(text, wp);
    else
        GetWindowRect(hwnd, &wp.rcNormalPosition);

    if (showUsed == 0 || show != SW_SHOWNORMAL)
        wp.showCmd = show;
    return SetWindowPlacement(hwnd, &wp);
}

void WINAPI ZTC_SeeWindow(HWND hwnd)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return;
    const long long cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    long long x = r.left, y = r.top, right = r.right, bottom = r.bottom;
    if (r.left < 0) {
        x = 0;
        right += r.left;
    }
    if (r.top < 0) {
        y = 0;
        bottom += r.top;
    }
    if (right > cx)
        x = x - right + cx;
    if (bottom > cy)
        y = y - bottom + cy;
    if (x != r.left || y != r.top)
        MoveWindowTo(hwnd, x, y);
}

BOOL WINAPI ZTC_CenterWindow(HWND hwnd, HWND over)
{
    if (!over)
        over = GetDesktopWindow();
    if (!IsWindow(hwnd) || !IsWindow(over))
        return FALSE;
    RECT w, p;
    GetWindowRect(hwnd, &w);
    GetWindowRect(over, &p);
    const long long x = CentredStart(p.left, p.right, Difference(w.right, w.left));
    const long long y = CentredStart(p.top, p.bottom, Difference(w.bottom, w.top));
    return MoveWindowTo(hwnd, x < 0 ? 0 : x, y < 0 ? 0 : y);
}
