// Class registration, the library cursors and the strings.
#include "ztest.h"

#include <cstring>

using namespace ztest;

TEST(RegistrationTest, NineGlobalClassesWithTheirStylesBrushesAndCursor)
{
    struct Expected {
        const char* name;
        const char* proc;
        UINT style;
        int background;
    };
    const Expected classes[] = {
        {ZTC_SLIDER_H_CLASS, "MB_WndProc", 0x4003, COLOR_BTNFACE},
        {ZTC_SLIDER_V_CLASS, "SL_WndProc", 0x4003, COLOR_BTNFACE},
        {ZTC_DRAGGER_CLASS, "DR_WndProc", 0x4003, COLOR_BTNFACE},
        {ZTC_VU_H_CLASS, "VU_WndProc", 0x4003, COLOR_BTNFACE},
        {ZTC_GAUGE_CLASS, "GA_WndProc", 0x4003, COLOR_BTNFACE},
        {ZTC_BMPBTN_CLASS, "BB_WndProc", 0x4003, COLOR_BTNFACE},
        {ZTC_MUSCROLL_CLASS, "MS_WndProc", 0x400B, COLOR_BTNFACE},
        {ZTC_TOOLBAR_CLASS, "TB_WndProc", 0x400B, COLOR_BTNFACE},
        {ZTC_DIBVIEW_CLASS, "DV_WndProc", 0x400B, COLOR_WINDOW},
    };
    for (const Expected& e : classes) {
        SCOPED_TRACE(e.name);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        ASSERT_TRUE(GetClassInfoExA(Library(), e.name, &wc));
        EXPECT_EQ(wc.style, e.style);
        EXPECT_EQ(wc.cbClsExtra, 0);
        EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(LONG_PTR)));
        EXPECT_EQ(wc.hInstance, Library());
        EXPECT_EQ(wc.hIcon, nullptr);
        EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
        EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(e.background + 1)));
        EXPECT_EQ(wc.lpszMenuName, nullptr);
        if (FARPROC exported = GetProcAddress(Library(), e.proc)) {
            EXPECT_EQ(reinterpret_cast<void*>(wc.lpfnWndProc), reinterpret_cast<void*>(exported));
        }
        // A global class: any module can create it by name.
        HWND w = CreateWindowExA(0, e.name, "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(w, nullptr);
        DestroyWindow(w);
    }
}

TEST(RegistrationTest, RegisterAnswers524EveryTime)
{
    EXPECT_EQ(ZTC_Register(0), 524);
    EXPECT_EQ(ZTC_Register(12345), 524);
}

TEST(CursorTest, SixteenCursorsWithTheirHotSpotsAndNothingOutside)
{
    EXPECT_EQ(ZTC_LoadCursor(499), nullptr);
    EXPECT_EQ(ZTC_LoadCursor(516), nullptr);
    EXPECT_EQ(ZTC_LoadCursor(0), nullptr);
    EXPECT_EQ(ZTC_LoadCursor(0xFFFFFFFF), nullptr);

    const POINT hotSpots[16] = {{12, 0},  {2, 2},   {9, 8},   {15, 15}, {15, 18}, {15, 15}, {15, 15}, {15, 15},
                                {15, 14}, {16, 15}, {13, 13}, {15, 15}, {15, 15}, {15, 15}, {15, 15}, {14, 1}};
    HCURSOR previous = nullptr;
    for (UINT id = 500; id <= 515; ++id) {
        SCOPED_TRACE(id);
        HCURSOR c = ZTC_LoadCursor(id);
        ASSERT_NE(c, nullptr);
        EXPECT_NE(c, previous);
        EXPECT_EQ(ZTC_LoadCursor(id), c) << "the same handle every time";
        previous = c;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(c, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(info.xHotspot, static_cast<DWORD>(hotSpots[id - 500].x));
        EXPECT_EQ(info.yHotspot, static_cast<DWORD>(hotSpots[id - 500].y));
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, 32);
        EXPECT_EQ(mask.bmHeight, info.hbmColor ? 32 : 64) << "32 x 32 monochrome";
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
    }
}

// The label and menu strings; the logos and the About dialog are tried where
// they are used.
TEST(ResourceTest, StringsOfTheSliderLabelsAndTheEditMenu)
{
    const char* strings[] = {"L", "R", "&Edit", "&Paste"};
    for (UINT id = 1; id <= 4; ++id) {
        char text[32] = "";
        LoadStringA(Library(), id, text, sizeof text);
        EXPECT_STREQ(text, strings[id - 1]) << "string " << id;
    }
}
