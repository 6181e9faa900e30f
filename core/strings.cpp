// Text and number utilities on ANSI strings: an unsigned number reader,
// character search forwards and backwards, and prefix comparison.
#include "ztcore.h"

#include <algorithm>

namespace {

constexpr UINT kNotADigit = 0xFFFFFFFF;  // not below any base

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// '0'-'9' are 0-9, 'A'-'F' and 'a'-'f' are 10-15; whatever the base.
UINT DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<UINT>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<UINT>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<UINT>(c - 'a' + 10);
    return kNotADigit;
}

// A character matches when, read as a signed 8-bit number, it equals ch.
bool Matches(char c, int ch)
{
    return static_cast<signed char>(c) == ch;
}

// The copies compare the first n - 1 characters: at most 255.
constexpr int kCopyLength = 256;

// Copies the first n - 1 characters of both strings (n kept within 1..256)
// and compares the copies with the given platform comparison.
int ComparePrefixes(LPCSTR first, LPCSTR second, int n, int(WINAPI* compare)(LPCSTR, LPCSTR))
{
    n = std::clamp(n, 1, kCopyLength);
    char a[kCopyLength], b[kCopyLength];
    lstrcpynA(a, first, n);
    lstrcpynA(b, second, n);
    return compare(a, b);
}

}  // namespace

int WINAPI ZTC_StrToInt(LPCSTR text, UINT base, UINT* value)
{
    int used = 0;
    while (IsBlank(text[used]))
        ++used;
    UINT number = 0;
    for (UINT digit; (digit = DigitValue(text[used])) < base; ++used)
        number = number * base + digit;  // unsigned: wraps around
    if (value)
        *value = number;
    return used;
}

LPSTR WINAPI lstrchr(LPCSTR text, int ch)
{
    for (LPCSTR p = text; *p; ++p)
        if (Matches(*p, ch))
            return const_cast<LPSTR>(p);
    return nullptr;
}

LPSTR WINAPI lstrrchr(LPCSTR text, int ch)
{
    for (LPCSTR p = text + lstrlenA(text); p != text;) {
        --p;
        if (Matches(*p, ch))
            return const_cast<LPSTR>(p);
    }
    return nullptr;
}

int WINAPI lstrncmp(LPCSTR first, LPCSTR second, int n)
{
    return ComparePrefixes(first, second, n, lstrcmpA);
}

int WINAPI lstrnicmp(LPCSTR first, LPCSTR second, int n)
{
    return ComparePrefixes(first, second, n, lstrcmpiA);
}
