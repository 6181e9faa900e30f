/* The typed message wrappers of ztctrl32.h, in one language mode:
   this file is compiled as C89, C99, C11, C++98 and C++20, and ZT_MODE
   names the mode.  Every wrapper is sent to a recorder window that answers
   with a preset value; the message and its parameters as they arrive and
   the wrapper's typed answer are compared with what the header documents. */
#include "ztctrl32.h"

#include <stdio.h>

#define ZT_JOIN_(a, b) a##b
#define ZT_JOIN(a, b) ZT_JOIN_(a, b)
#define ZT_TEXT_(a) #a
#define ZT_TEXT(a) ZT_TEXT_(a)

static UINT seenMessage;
static WPARAM seenW;
static LPARAM seenL;
static LRESULT reply;
static int failures;

static LRESULT CALLBACK Recorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg < WM_USER)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    seenMessage = msg;
    seenW = wParam;
    seenL = lParam;
    return reply;
}

static void Check(const char *call, int answered, UINT msg, WPARAM w, LPARAM l)
{
    if (answered && seenMessage == msg && seenW == w && seenL == l)
        return;
    ++failures;
    printf("%s in " ZT_TEXT(ZT_MODE) ": %s, got message %u, wParam %p, lParam %p\n", call,
           answered ? "answer right" : "wrong answer", seenMessage, (void *)seenW, (void *)seenL);
}

/* The recorder answers reply; call must give result and send msg(w, l). */
#define SENT(answer, call, result, msg, w, l)                                                     \
    (reply = (LRESULT)(answer), seenMessage = 0,                                                  \
     Check(#call, (call) == (result), (msg), (WPARAM)(w), (LPARAM)(l)))
#define SENT_VOID(call, msg, w, l) \
    (reply = 0, seenMessage = 0, (call), Check(#call, 1, (msg), (WPARAM)(w), (LPARAM)(l)))

#ifdef __cplusplus
extern "C"
#endif
int ZT_JOIN(WrapperFailures_, ZT_MODE)(void)
{
    const char *className = "ztest_recorder_" ZT_TEXT(ZT_MODE);
    const HWND other = (HWND)(INT_PTR)0x4242;
    const HBITMAP bitmap = (HBITMAP)(INT_PTR)0x1234;
    const HGLOBAL dib = (HGLOBAL)(INT_PTR)0x5678;
    ToolBarTool tool;
    ToolBarMessage message;
    WNDCLASSA wc;
    HWND w;

    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = Recorder;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    w = CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
    if (!w)
        return -1;
    failures = 0;

    SENT(7, ZtSlider_SetTicks(w, 11), 7, MBM_SETTICKS, 11, 0);
    SENT(11, ZtSlider_GetTicks(w), 11, MBM_GETTICKS, 0, 0);
    SENT_VOID(ZtSlider_SetPos(w, -5), MBM_SETPOS, -5, 0);
    SENT(-3, ZtSlider_GetPos(w), -3, MBM_GETPOS, 0, 0);
    SENT(0, ZtSlider_SetLabels(w, TRUE), FALSE, MBM_SETLABELS, TRUE, 0);
    SENT(1, ZtSlider_GetLabels(w), TRUE, MBM_GETLABELS, 0, 0);
    SENT(-2, ZtSlider_SetUserValue(w, -7), -2L, MBM_SETUSERVALUE, -7, 0);
    SENT(0x7FFFFFFF, ZtSlider_GetUserValue(w), 0x7FFFFFFFL, MBM_GETUSERVALUE, 0, 0);
    SENT_VOID(ZtSlider_SetRange(w, 1000), MBM_SETRANGE, 1000, 0);
    SENT(1000, ZtSlider_GetRange(w), 1000, MBM_GETRANGE, 0, 0);

    SENT(0, ZtVSlider_SetTicks(w, 6), 0, SLM_SETTICKS, 6, 0);
    SENT(6, ZtVSlider_GetTicks(w), 6, SLM_GETTICKS, 0, 0);
    SENT_VOID(ZtVSlider_SetPos(w, -1), SLM_SETPOS, -1, 0);
    SENT(170, ZtVSlider_GetPos(w), 170, SLM_GETPOS, 0, 0);
    SENT(8, ZtVSlider_SetThumbSize(w, 12), 8, SLM_SETTHUMBSIZE, 12, 0);
    SENT(12, ZtVSlider_GetThumbSize(w), 12, SLM_GETTHUMBSIZE, 0, 0);
    SENT_VOID(ZtVSlider_SetRange(w, 99), SLM_SETRANGE, 99, 0);
    SENT(99, ZtVSlider_GetRange(w), 99, SLM_GETRANGE, 0, 0);

    SENT_VOID(ZtVUMeter_SetRed(w, 16), VUM_SETRED, 16, 0);
    SENT_VOID(ZtVUMeter_SetYellow(w, 48), VUM_SETYELLOW, 48, 0);
    SENT_VOID(ZtVUMeter_SetGreen(w, 192), VUM_SETGREEN, 192, 0);
    SENT_VOID(ZtVUMeter_SetLevel(w, -4), VUM_SETLEVEL, -4, 0);

    SENT_VOID(ZtGauge_SetPercent(w, 150), GAM_SETPERCENT, 150, 0);
    SENT_VOID(ZtGauge_SetColor(w, RGB(1, 2, 3)), GAM_SETCOLOR, 0, RGB(1, 2, 3));

    SENT(other, ZtToolBar_SetAssociate(w, w), other, TBM_SETASSOCIATE, w, 0);
    SENT(w, ZtToolBar_GetAssociate(w), w, TBM_GETASSOCIATE, 0, 0);
    SENT(1, ZtToolBar_AddTool(w, &tool), TRUE, TBM_ADDTOOL, 0, &tool);
    SENT(1, ZtToolBar_RemoveTool(w, 5), TRUE, TBM_REMOVETOOL, 5, 0);
    SENT(-9, ZtToolBar_SendMessage(w, 5, &message), -9, TBM_SENDMESSAGE, 5, &message);
    SENT(1, ZtToolBar_Show(w, 5, 2), TRUE, TBM_SHOW, 5, 1);
    SENT(0, ZtToolBar_Enable(w, 5, FALSE), FALSE, TBM_ENABLE, 5, 0);
    SENT(1, ZtToolBar_Check(w, 5, 0x10000), TRUE, TBM_CHECK, 5, 1);
    SENT(1, ZtToolBar_SetFocus(w, 5), TRUE, TBM_SETFOCUS, 5, 0);
    SENT(0, ZtToolBar_Exist(w, 6), FALSE, TBM_EXIST, 6, 0);
    SENT(-1, ZtToolBar_GetType(w, 6), (UINT)-1, TBM_GETTYPE, 6, 0);
    SENT(0, ZtToolBar_SetData(w, 5, 0xFFFFFFFF), 0, TBM_SETDATA, 5, (DWORD)0xFFFFFFFF);
    SENT(0xFFFFFFFF, ZtToolBar_GetData(w, 5), 0xFFFFFFFFUL, TBM_GETDATA, 5, 0);
    SENT(1, ZtToolBar_SetNotify(w, 5, 0x20000), TRUE, TBM_SETNOTIFY, 5, 1);
    SENT(0, ZtToolBar_GetNotify(w, 5), FALSE, TBM_GETNOTIFY, 5, 0);

    SENT_VOID(ZtBmpButton_SetBitmap(w, bitmap), BBM_SETBITMAP, 0, bitmap);

    SENT(0xBEEF, ZtMultiScroll_SetTarget(w, other), 0xBEEF, MSM_SETTARGET, other, 0);
    SENT(0xBEEF, ZtMultiScroll_GetTarget(w), 0xBEEFu, MSM_GETTARGET, 0, 0);
    SENT(-1, ZtMultiScroll_SetRange(w, -10, 10), -1L, MSM_SETRANGE, 0, MAKELPARAM(-10, 10));
    SENT(0x000AFFF6, ZtMultiScroll_GetRange(w), 0x000AFFF6UL, MSM_GETRANGE, 0, 0);
    SENT(65535, ZtMultiScroll_SetValue(w, -1), 65535, MSM_SETVALUE, -1, 0);
    SENT(65535, ZtMultiScroll_GetValue(w), 65535u, MSM_GETVALUE, 0, 0);
    SENT(0, ZtMultiScroll_SetNoLimitNotify(w, TRUE), FALSE, MSM_SETNOLIMITNOTIFY, TRUE, 0);
    SENT(1, ZtMultiScroll_GetNoLimitNotify(w), TRUE, MSM_GETNOLIMITNOTIFY, 0, 0);
    SENT(1, ZtMultiScroll_SetReverse(w, FALSE), TRUE, MSM_SETREVERSE, FALSE, 0);
    SENT(0, ZtMultiScroll_GetReverse(w), FALSE, MSM_GETREVERSE, 0, 0);

    SENT_VOID(ZtDragger_SetDib(w, dib), DRM_SETDIB, dib, 0);
    SENT_VOID(ZtDragger_SetBitmap(w, bitmap), DRM_SETBITMAP, bitmap, 0);

    SENT_VOID(ZtDibView_SetDib(w, dib), DVM_SETDIB, dib, 0);

    DestroyWindow(w);
    return failures;
}
