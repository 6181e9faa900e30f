// Class registration, the library cursors and what ZTC_Register answers.
#include "ztest.h"

#include <set>
#include <vector>

using namespace ztest;

// Every class is global (0x4000): any module creates it by name, as every
// test program does.
TEST(RegistrationTest, NineGlobalClassesWithTheirStylesBrushesAndProcedures)
{
    const int face = COLOR_BTNFACE;
    const struct { const char* name; const char* proc; UINT style; int background; } classes[] = {
        {ZTC_SLIDER_H_CLASS, "MB_WndProc", 0x4003, face}, {ZTC_SLIDER_V_CLASS, "SL_WndProc", 0x4003, face},
        {ZTC_DRAGGER_CLASS, "DR_WndProc", 0x4003, face},  {ZTC_VU_H_CLASS, "VU_WndProc", 0x4003, face},
        {ZTC_GAUGE_CLASS, "GA_WndProc", 0x4003, face},    {ZTC_BMPBTN_CLASS, "BB_WndProc", 0x4003, face},
        {ZTC_MUSCROLL_CLASS, "MS_WndProc", 0x400B, face}, {ZTC_TOOLBAR_CLASS, "TB_WndProc", 0x400B, face},
        {ZTC_DIBVIEW_CLASS, "DV_WndProc", 0x400B, COLOR_WINDOW},
    };
    for (const auto& e : classes) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        ASSERT_TRUE(GetClassInfoExA(Library(), e.name, &wc)) << e.name;
        const auto proc = reinterpret_cast<LONG_PTR>(GetProcAddress(Library(), e.proc));
        EXPECT_EQ((std::vector<LONG_PTR>{LONG_PTR(wc.style), wc.cbClsExtra, wc.cbWndExtra, LONG_PTR(wc.hInstance),
                                         LONG_PTR(wc.hIcon), LONG_PTR(wc.hCursor), LONG_PTR(wc.hbrBackground),
                                         LONG_PTR(wc.lpszMenuName), LONG_PTR(wc.lpfnWndProc)}),
                  (std::vector<LONG_PTR>{LONG_PTR(e.style), 0, sizeof(LONG_PTR), LONG_PTR(Library()), 0,
                                         LONG_PTR(LoadCursorA(nullptr, IDC_ARROW)), e.background + 1, 0, proc}))
            << e.name;
    }
    EXPECT_EQ(ZTC_Register(12345), 524) << "whatever it is given, every time";
}

TEST(CursorTest, SixteenCursorsWithTheirHotSpotsAndNothingOutside)
{
    for (UINT outside : {0u, 499u, 516u, 0xFFFFFFFFu})
        EXPECT_EQ(ZTC_LoadCursor(outside), nullptr) << outside;
    const POINT hotSpots[16] = {{12, 0},  {2, 2},   {9, 8},   {15, 15}, {15, 18}, {15, 15}, {15, 15}, {15, 15},
                                {15, 14}, {16, 15}, {13, 13}, {15, 15}, {15, 15}, {15, 15}, {15, 15}, {14, 1}};
    std::set<HCURSOR> distinct;
    for (UINT id = 500; id <= 515; ++id) {
        SCOPED_TRACE(id);
        const HCURSOR c = ZTC_LoadCursor(id);
        ICONINFO info{};
        ASSERT_TRUE(c && GetIconInfo(c, &info));
        distinct.insert(c);
        EXPECT_EQ(ZTC_LoadCursor(id), c) << "the same handle every time";
        BITMAP mask{};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        const POINT hot = hotSpots[id - 500];
        EXPECT_EQ((std::vector<LONG>{info.fIcon, LONG(info.xHotspot), LONG(info.yHotspot), mask.bmWidth,
                                     mask.bmHeight}),
                  (std::vector<LONG>{FALSE, hot.x, hot.y, 32, info.hbmColor ? 32 : 64}))
            << "a 32 x 32 cursor and its hot spot";
        DeleteObject(info.hbmMask), DeleteObject(info.hbmColor);
    }
    EXPECT_EQ(distinct.size(), 16u);
}
