// Text and number utilities: the unsigned number reader, character search
// and prefix comparison, called through the DLL's exports.
#include "ztest.h"

#include <string>

TEST(StringsTest, StrToIntSkipsBlanksAndReadsDigitsBelowTheBaseWrappingAt32Bits)
{
    const struct { const char* text; UINT base; int used; UINT value; } cases[] = {
        {"  12ab", 10, 4, 12},     {"  12ab", 16, 6, 0x12AB}, {"-5", 10, 0, 0},         {"0x1F", 16, 1, 0},
        {"", 10, 0, 0},            {"   ", 10, 3, 0},         {"4294967296", 10, 10, 0}, {"\t7 8", 10, 2, 7},
        {"\n7", 10, 0, 0},         {"789", 8, 1, 7},          {"fFg", 36, 2, 555},       {"0010", 1, 2, 0},
    };
    for (const auto& c : cases) {
        UINT value = 0xDEADBEEF;  // a store of 0 must be visible
        EXPECT_EQ(ZTC_StrToInt(c.text, c.base, &value), c.used) << '"' << c.text << "\" base " << c.base;
        EXPECT_EQ(value, c.value) << '"' << c.text << "\" base " << c.base;
    }
    EXPECT_EQ(ZTC_StrToInt(" 42x", 10, nullptr), 3) << "a null value pointer";
}

TEST(StringsTest, CharSearchFindsTheFirstAndLastCharacterReadAsSigned)
{
    const char abca[] = "abca", high[] = "x\xE9y\xE9";  // 0xE9 reads as -23
    const struct { const char* text; int ch, first, last; } cases[] = {  // positions, -1: none
        {abca, 'a', 0, 3}, {abca, 'b', 1, 1}, {abca, 'z', -1, -1}, {abca, 0, -1, -1}, {"", 'a', -1, -1},
        {"ab", 'a', 0, 0}, {high, 0xE9, -1, -1}, {high, -23, 1, 3}, {high, 'y' - 256, -1, -1},
    };
    for (const auto& c : cases) {
        const auto at = [&](int i) { return i < 0 ? nullptr : c.text + i; };
        EXPECT_EQ(static_cast<const void*>(lstrchr(c.text, c.ch)), at(c.first)) << c.text << " for " << c.ch;
        EXPECT_EQ(static_cast<const void*>(lstrrchr(c.text, c.ch)), at(c.last)) << c.text << " for " << c.ch;
    }
}

TEST(StringsTest, PrefixComparesTheFirstNMinusOneCharactersWithNClampedTo1To256)
{
    const std::string q(300, 'q'), r255 = q.substr(0, 255) + "r", r254 = q.substr(0, 254) + "r";
    const struct { const char *first, *second; int n, sign, isign; } cases[] = {  // signs of both results
        {"abcX", "abcY", 4, 0, 0},   {"abcX", "abcY", 5, -1, -1}, {"xyz", "abc", 1, 0, 0},
        {"ABC", "abd", 3, 1, 0},     {"ABC", "abc", 4, 1, 0},     {"a", "B", 2, -1, -1},  // locale order
        {"abc", "xyz", 0, 0, 0},     {"abc", "xyz", -7, 0, 0},    {q.c_str(), r255.c_str(), 1000, 0, 0},
        {q.c_str(), r254.c_str(), 1000, -1, -1}, {q.c_str(), r255.c_str(), 256, 0, 0},
        {r255.c_str(), q.c_str(), 256, 0, 0},     {q.c_str(), r254.c_str(), 256, -1, -1},
        {q.c_str(), r255.c_str(), 255, 0, 0},
    };
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second + ", n " + std::to_string(c.n));
        EXPECT_EQ(sign(lstrncmp(c.first, c.second, c.n)), c.sign);
        EXPECT_EQ(sign(lstrnicmp(c.first, c.second, c.n)), c.isign);
    }
}
