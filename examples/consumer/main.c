/* consumer: registers the ztctrl32 controls, makes a slider, a gauge and a
   multi-scroll control, drives them with the typed wrappers and prints what
   they answer.  Exit status 0 when every answer is the expected one. */
#include <ztctrl32.h>

#include <stdio.h>

static HWND Control(HWND parent, const char *className, int id)
{
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, 120, 24, parent,
                           (HMENU)(INT_PTR)id, GetModuleHandleA(NULL), NULL);
}

int main(void)
{
    char library[MAX_PATH] = "";
    HWND frame, slider, gauge, scroll;
    int position, value, right;

    if (ZTC_Register(0) != 524)
        return 1;
    GetModuleFileNameA(GetModuleHandleA("ztctrl32.dll"), library, sizeof library);

    frame = CreateWindowExA(0, "static", "consumer", WS_OVERLAPPEDWINDOW, 0, 0, 200, 120, NULL, NULL,
                            GetModuleHandleA(NULL), NULL);
    slider = Control(frame, ZTC_SLIDER_H_CLASS, 1);
    gauge = Control(frame, ZTC_GAUGE_CLASS, 2);
    scroll = Control(frame, ZTC_MUSCROLL_CLASS, 3);
    if (!slider || !gauge || !scroll)
        return 1;

    /* The slider clamps a value beyond its range; the multi-scroll control
       answers the low 16 bits of its signed value. */
    ZtSlider_SetRange(slider, 100);
    ZtSlider_SetPos(slider, 150);
    position = ZtSlider_GetPos(slider);
    ZtGauge_SetPercent(gauge, 42);
    ZtMultiScroll_SetRange(scroll, -10, 10);
    ZtMultiScroll_SetValue(scroll, -3);
    value = (short)ZtMultiScroll_GetValue(scroll);

    right = position == 100 && value == -3;
    printf("ztctrl32 from %s: slider at %d of %d, multi-scroll at %d: %s\n", library, position,
           ZtSlider_GetRange(slider), value, right ? "as expected" : "WRONG");
    DestroyWindow(frame);
    return right ? 0 : 1;
}
