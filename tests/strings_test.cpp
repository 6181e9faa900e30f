// Text and number utilities: the unsigned number reader, character search
// and prefix comparison, called through the DLL's exports.
#include "ztest.h"

#include <string>

namespace {

// Reads text in base; returns {characters consumed, value stored}.  The
// value starts at a marker so that a store of 0 is visible.
std::pair<int, UINT> Read(const char* text, UINT base)
{
    UINT value = 0xDEADBEEF;
    const int used = ZTC_StrToInt(text, base, &value);
    return {used, value};
}

using Result = std::pair<int, UINT>;

}  // namespace

TEST(StrToIntTest, SkipsSpacesAndTabsThenReadsDigitsBelowTheBase)
{
    EXPECT_EQ(Read("  12ab", 10), Result(4, 12u));
    EXPECT_EQ(Read("  12ab", 16), Result(6, 0x12ABu));
    EXPECT_EQ(Read("\t \t7 8", 10), Result(4, 7u)) << "tabs are blanks; a blank ends the number";
    EXPECT_EQ(Read("\n7", 10), Result(0, 0u)) << "a newline is not a blank";
    EXPECT_EQ(Read("789", 8), Result(1, 7u)) << "8 is not below base 8";
    EXPECT_EQ(Read("fFg", 36), Result(2, 15u * 36 + 15)) << "no digit beyond F, whatever the base";
}

TEST(StrToIntTest, NoSignNoPrefixAndZeroWhenNothingIsRead)
{
    EXPECT_EQ(Read("-5", 10), Result(0, 0u));
    EXPECT_EQ(Read("0x1F", 16), Result(1, 0u));
    EXPECT_EQ(Read("", 10), Result(0, 0u));
    EXPECT_EQ(Read("   ", 10), Result(3, 0u));
}

TEST(StrToIntTest, WrapsAroundAt32Bits)
{
    EXPECT_EQ(Read("4294967296", 10), Result(10, 0u));
    EXPECT_EQ(Read("4294967295", 10), Result(10, 0xFFFFFFFFu));
    EXPECT_EQ(Read("123456789ABCDEF", 16), Result(15, 0x89ABCDEFu));
}

TEST(StrToIntTest, NullValuePointerStillCounts)
{
    EXPECT_EQ(ZTC_StrToInt(" 42x", 10, nullptr), 3);
    EXPECT_EQ(ZTC_StrToInt("", 10, nullptr), 0);
}

TEST(StrToIntTest, BaseZeroTakesNoDigitAndBaseOneOnlyZeros)
{
    EXPECT_EQ(Read("  123", 0), Result(2, 0u));
    EXPECT_EQ(Read("0010", 1), Result(2, 0u));
    EXPECT_EQ(Read("1", 1), Result(0, 0u));
}

TEST(CharSearchTest, FirstAndLastOccurrence)
{
    const char text[] = "abca";
    EXPECT_EQ(lstrchr(text, 'a'), text);
    EXPECT_EQ(lstrrchr(text, 'a'), text + 3);
    EXPECT_EQ(lstrchr(text, 'c'), text + 2);
    EXPECT_EQ(lstrrchr(text, 'b'), text + 1);
    for (int ch : {int{'z'}, 0}) {
        EXPECT_EQ(lstrchr(text, ch), nullptr) << ch;
        EXPECT_EQ(lstrrchr(text, ch), nullptr) << ch;
    }
    EXPECT_EQ(lstrchr("", 'a'), nullptr);
    EXPECT_EQ(lstrrchr("", 'a'), nullptr);
    const char one[] = "a";
    EXPECT_EQ(lstrrchr(one, 'a'), one) << "the backward search includes the first character";
}

TEST(CharSearchTest, HighCharactersMatchOnlyTheirNegativeValues)
{
    const char text[] = "x\xE9y\xE9";  // 0xE9 is -23 as a signed character
    EXPECT_EQ(lstrchr(text, 0xE9), nullptr);
    EXPECT_EQ(lstrrchr(text, 0xE9), nullptr);
    EXPECT_EQ(lstrchr(text, -23), text + 1);
    EXPECT_EQ(lstrrchr(text, -23), text + 3);
    EXPECT_EQ(lstrchr(text, 'y' - 256), nullptr) << "a negative argument matches only high characters";
}

TEST(PrefixCompareTest, ComparesTheFirstNMinusOneCharacters)
{
    EXPECT_EQ(lstrncmp("abcX", "abcY", 4), 0);
    EXPECT_NE(lstrncmp("abcX", "abcY", 5), 0);
    EXPECT_EQ(lstrncmp("xyz", "abc", 1), 0) << "n = 1 compares two empty strings";
    EXPECT_LT(lstrncmp("ab", "abc", 4), 0) << "a shorter string is copied whole";

    EXPECT_EQ(lstrnicmp("ABC", "abd", 3), 0);
    EXPECT_NE(lstrnicmp("ABC", "abd", 4), 0);
    EXPECT_NE(lstrncmp("ABC", "abc", 4), 0);
    EXPECT_EQ(lstrnicmp("ABC", "abc", 4), 0);
}

TEST(PrefixCompareTest, UsesThePlatformsLocaleAwareComparison)
{
    // A byte comparison puts 'B' (66) before 'a' (97); the locale's order does not.
    EXPECT_LT(lstrncmp("a", "B", 2), 0);
    EXPECT_GT(lstrncmp("B", "a", 2), 0);
    EXPECT_LT(lstrnicmp("a", "B", 2), 0);
}

TEST(PrefixCompareTest, LengthsOutsideOneTo256ActAsTheNearestBound)
{
    EXPECT_EQ(lstrncmp("abc", "xyz", 0), 0);
    EXPECT_EQ(lstrnicmp("abc", "xyz", -7), 0);

    // Two 300-character texts: the copies hold at most 255 characters.
    std::string a(300, 'q'), b(300, 'q');
    b[255] = 'r';
    EXPECT_EQ(lstrncmp(a.c_str(), b.c_str(), 1000), 0) << "the 256th character is beyond the copies";
    EXPECT_EQ(lstrnicmp(a.c_str(), b.c_str(), 1000), 0);
    b[254] = 'r';
    EXPECT_NE(lstrncmp(a.c_str(), b.c_str(), 1000), 0);
    EXPECT_NE(lstrnicmp(a.c_str(), b.c_str(), 1000), 0);
}
