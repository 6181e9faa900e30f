// Loading and unloading the DLL by hand, as an application that loads it on
// demand does: every load must start from scratch and work.
#include "ztest.h"

namespace {

using RegisterFn = LONG(WINAPI*)(LONG);
using LoadCursorFn = HCURSOR(WINAPI*)(UINT);

const char* const kClasses[] = {"zt_slider_h32", "zt_slider_v32", "zt_dragger32", "zt_vu_h32",   "zt_gauge32",
                                "zt_bmpbtn32",   "zt_muscroll32", "zt_toolbar32", "zt_dibview32"};

}  // namespace

TEST(ReloadTest, TheLibraryCanBeLoadedUsedAndUnloadedRepeatedly)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(GetModuleHandleA("ztctrl32.dll"), nullptr);
        HMODULE lib = LoadLibraryA("ztctrl32.dll");
        ASSERT_NE(lib, nullptr);
        auto reg = ztest::Export<RegisterFn>(lib, "ZTC_Register");
        auto cursor = ztest::Export<LoadCursorFn>(lib, "ZTC_LoadCursor");
        ASSERT_NE(reg, nullptr);
        ASSERT_NE(cursor, nullptr);
        EXPECT_EQ(reg(0), 524);
        EXPECT_NE(cursor(515), nullptr);

        {
            ztest::ParentWindow parent;
            HWND meter = parent.CreateChild("zt_vu_h32", 0, 10, 10, 102, 20);
            ASSERT_NE(meter, nullptr);
            SendMessageA(meter, WM_USER + 7, 256, 0);
            ztest::PaintNow(meter);
            EXPECT_EQ(ztest::Pixel(meter, 10, 10), RGB(0, 255, 0));
            DestroyWindow(meter);
        }

        // The library never unregisters its classes; an application that
        // unloads it does, so that the next load registers them afresh.
        for (const char* name : kClasses)
            UnregisterClassA(name, lib);
        EXPECT_TRUE(FreeLibrary(lib));
        EXPECT_EQ(GetModuleHandleA("ztctrl32.dll"), nullptr) << "still loaded after the last FreeLibrary";
    }
}
