/*
 * ztctrl32.h - public interface of the ztctrl32 custom control library.
 *
 * Call ZTC_Register once, then create the controls by class name as child
 * windows (dialog templates or CreateWindowExA) and drive them with their
 * messages.  All strings are ANSI.  Failures are returned as values
 * (0, FALSE, NULL); the library shows no message boxes.
 *
 * Every control answers accessibility clients (WM_GETOBJECT with
 * OBJID_CLIENT) with an IAccessible telling its role, name, value and
 * states, when the thread that created it has initialised COM.
 */
#ifndef ZTCTRL32_H
#define ZTCTRL32_H

#include <windows.h>

/* Import decoration: clients import from the DLL; the DLL itself exports
   through its module-definition file, so inside the build it is empty. */
#ifndef ZTCAPI
#ifdef ZTCTRL32_BUILD
#define ZTCAPI
#else
#define ZTCAPI __declspec(dllimport)
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------
 * Window classes, registered message and property names
 * --------------------------------------------------------------------- */

#define ZTC_SLIDER_H_CLASS  "zt_slider_h32"  /* horizontal slider, MB_WndProc */
#define ZTC_SLIDER_V_CLASS  "zt_slider_v32"  /* vertical slider, SL_WndProc */
#define ZTC_DRAGGER_CLASS   "zt_dragger32"   /* dragger, DR_WndProc */
#define ZTC_VU_H_CLASS      "zt_vu_h32"      /* VU meter, VU_WndProc */
#define ZTC_GAUGE_CLASS     "zt_gauge32"     /* percentage gauge, GA_WndProc */
#define ZTC_BMPBTN_CLASS    "zt_bmpbtn32"    /* bitmap button, BB_WndProc */
#define ZTC_MUSCROLL_CLASS  "zt_muscroll32"  /* multi-scroll control, MS_WndProc */
#define ZTC_TOOLBAR_CLASS   "zt_toolbar32"   /* toolbar, TB_WndProc */
#define ZTC_DIBVIEW_CLASS   "zt_dibview32"   /* DIB view, DV_WndProc */

/* Name to pass to RegisterWindowMessageA for the message with which a
   dragger asks its parent whether a drop may go ahead:
   wParam: dragger's control id; lParam: dragger's HWND;
   answer nonzero to let the dragger send the paste command, 0 to stop. */
#define ZTC_DRAGDROP_MSGNAME "zt_dragger32"

/* Window property under which a frame window carries its status line. */
#define ZTC_STATUSLINE_PROP  "ztsl"

/* ------------------------------------------------------------------------
 * Library core
 * --------------------------------------------------------------------- */

/* Registers the nine window classes; the argument is not read; any number
   of calls is allowed; always returns 524. */
ZTCAPI LONG WINAPI ZTC_Register(LONG lUnused);

/* Rebuilds the library's shared pens, brushes and menu logo from the
   current system colours; call it on WM_SYSCOLORCHANGE. */
ZTCAPI void WINAPI ZTC_SysColorChange(void);

/* Returns library cursor id (500..515; 515 is the grab hand), NULL for
   any other id; the cursor belongs to the library, do not destroy it. */
ZTCAPI HCURSOR WINAPI ZTC_LoadCursor(UINT id);

/* ------------------------------------------------------------------------
 * Text and number utilities
 * --------------------------------------------------------------------- */

/* Skips blanks and tabs, reads unsigned digits 0-9/A-F/a-f below base
   (wrapping 32-bit) into *value (if not NULL); returns characters consumed. */
ZTCAPI int WINAPI ZTC_StrToInt(LPCSTR text, UINT base, UINT *value);

/* Returns the first occurrence of ch (compared as signed char) in text,
   or NULL; the terminating zero is never found. */
ZTCAPI LPSTR WINAPI lstrchr(LPCSTR text, int ch);

/* Returns the last occurrence of ch (compared as signed char) in text,
   or NULL; the terminating zero is never found. */
ZTCAPI LPSTR WINAPI lstrrchr(LPCSTR text, int ch);

/* Compares the first n - 1 characters (1 <= n <= 256) with lstrcmpA;
   returns <0, 0 or >0. */
ZTCAPI int WINAPI lstrncmp(LPCSTR first, LPCSTR second, int n);

/* As lstrncmp, but case-insensitive (lstrcmpiA). */
ZTCAPI int WINAPI lstrnicmp(LPCSTR first, LPCSTR second, int n);

/* ------------------------------------------------------------------------
 * Window placement and positioning
 * --------------------------------------------------------------------- */

/* Writes "left top width height showCmd" of hwnd's normal placement under
   key (NULL: "Placement") in section of the private profile file;
   returns the result of WritePrivateProfileStringA. */
ZTCAPI BOOL WINAPI ZTC_SaveWndPos(HWND hwnd, LPCSTR section, LPCSTR key,
                                  LPCSTR file);

/* Restores hwnd's placement saved by ZTC_SaveWndPos (current rectangle if
   none); show 1 (SW_SHOWNORMAL) keeps the saved show state, any other
   value imposes itself; returns the result of SetWindowPlacement. */
ZTCAPI BOOL WINAPI ZTC_LoadWndPos(HWND hwnd, LPCSTR section, LPCSTR key,
                                  LPCSTR file, UINT show);

/* Moves hwnd (never resizing it) so that it lies on the primary screen. */
ZTCAPI void WINAPI ZTC_SeeWindow(HWND hwnd);

/* Centres hwnd over hwndOver (NULL: the desktop), never at negative
   coordinates; returns 0 for an invalid window, else SetWindowPos's result. */
ZTCAPI BOOL WINAPI ZTC_CenterWindow(HWND hwnd, HWND hwndOver);

/* ------------------------------------------------------------------------
 * Mouse hook and hot keys
 * --------------------------------------------------------------------- */

/* With target and filter both set: posts message(WM_LBUTTONDOWN or
   WM_NCLBUTTONDOWN, hit-test code) to target for each left press in filter;
   with either NULL: removes the hook.  Always returns TRUE. */
ZTCAPI BOOL WINAPI ZTC_SetMouseHook(HWND target, UINT message, HWND filter);

/* WH_MOUSE hook procedure installed by ZTC_SetMouseHook; reports presses
   and always passes the event on (CallNextHookEx). */
ZTCAPI LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);

/* Sets up to 4 virtual keys for hwnd: Ctrl+Alt+key posts message(vkey,
   keystroke flags) to hwnd and swallows the key; a second call for hwnd
   replaces its keys; returns TRUE, or FALSE (nothing changed) when
   count > 4, keys is NULL with count > 0, or the hook or record cannot be
   made. */
ZTCAPI BOOL WINAPI ZTC_SetHotKeys(HWND hwnd, UINT message, int count,
                                  const UINT *keys);

/* Removes hwnd's hot keys (and the hook with the last record); returns
   TRUE, or FALSE when hwnd had none. */
ZTCAPI BOOL WINAPI ZTC_KillHotKeys(HWND hwnd);

/* WH_KEYBOARD hook procedure installed by ZTC_SetHotKeys; returns 1 to
   discard a matching Ctrl+Alt key-down, 0 to let keys through. */
ZTCAPI LRESULT CALLBACK HotKeyHook(int code, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * Horizontal slider (ZTC_SLIDER_H_CLASS)
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI MB_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define MBM_SETTICKS     (WM_USER+1)    /* wParam: tick mark count (<2: none); result previous count */
#define MBM_GETTICKS     (WM_USER+2)    /* result tick mark count */
#define MBM_SETPOS       (WM_USER+3)    /* wParam: new value (signed, clamped to 0..range); result 0; never notifies */
#define MBM_GETPOS       (WM_USER+4)    /* result current value */
#define MBM_SETLABELS    (WM_USER+5)    /* wParam: nonzero shows the end labels; result previous flag */
#define MBM_GETLABELS    (WM_USER+6)    /* result labels flag */
#define MBM_SETUSERVALUE (WM_USER+7)    /* wParam: any 32-bit application value; result previous value */
#define MBM_GETUSERVALUE (WM_USER+8)    /* result application value */
#define MBM_SETRANGE     (WM_USER+1000) /* wParam: largest value (>= 1); result 0; value is not clamped */
#define MBM_GETRANGE     (WM_USER+1001) /* result largest value */

/* ------------------------------------------------------------------------
 * Vertical slider (ZTC_SLIDER_V_CLASS)
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI SL_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define SLM_SETTICKS     (WM_USER+1)    /* wParam: tick mark count (<2: none); result previous count */
#define SLM_GETTICKS     (WM_USER+2)    /* result tick mark count */
#define SLM_SETPOS       (WM_USER+3)    /* wParam: new value (signed, clamped to 0..range); result 0; never notifies */
#define SLM_GETPOS       (WM_USER+4)    /* result current value (0 at the bottom) */
#define SLM_SETTHUMBSIZE (WM_USER+6)    /* wParam: thumb height in border units; result previous size; always repaints */
#define SLM_GETTHUMBSIZE (WM_USER+7)    /* result thumb height in border units */
#define SLM_SETRANGE     (WM_USER+1000) /* wParam: largest value (>= 1); result 0; value is not clamped */
#define SLM_GETRANGE     (WM_USER+1001) /* result largest value */

/* Slider styles (both sliders; SLS_BORDER only for the horizontal one). */
#define SLS_NOTIFY       0x0001 /* send SLN_ notifications to the parent */
#define SLS_HIDECURSOR   0x0002 /* hide the mouse cursor while dragging */
#define SLS_CLIPCURSOR   0x0004 /* confine the cursor to the control while dragging */
#define SLS_BORDER       0x0008 /* sunken frame along the client edges */

/* Slider notifications: WM_COMMAND to the parent, LOWORD(wParam) control
   id, HIWORD(wParam) code, lParam the slider's HWND. */
#define SLN_POSCHANGED   1 /* value changed by mouse or keyboard */
#define SLN_BEGINDRAG    2 /* left button pressed (after the value moved) */
#define SLN_ENDDRAG      3 /* left button released */

/* ------------------------------------------------------------------------
 * VU meter (ZTC_VU_H_CLASS); 256 scale units span the meter's width
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI VU_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define VUM_SETRED       (WM_USER+1)    /* wParam: red zone size in scale units (default 16); result 0 */
#define VUM_SETYELLOW    (WM_USER+3)    /* wParam: yellow zone size in scale units (default 48); result 0 */
#define VUM_SETGREEN     (WM_USER+5)    /* wParam: green zone size in scale units (default 192); result 0 */
#define VUM_SETLEVEL     (WM_USER+7)    /* wParam: level in scale units (signed); result 0 */

/* ------------------------------------------------------------------------
 * Gauge (ZTC_GAUGE_CLASS); also handles WM_SETFONT and WM_GETFONT
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI GA_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define GAM_SETPERCENT   (WM_USER+1)    /* wParam: percentage (signed, 0..100 fills the bar, not checked); result 1 */
#define GAM_SETCOLOR     (WM_USER+2)    /* lParam: bar COLORREF (wParam ignored); result 1 */

/* ------------------------------------------------------------------------
 * Tool-button drawing
 * --------------------------------------------------------------------- */

/* Tool-button metrics (seven 32-bit fields); defaults in parentheses. */
typedef struct ToolBtnTDD {
    UINT nReserved;  /* (96) not read by drawing */
    int  cyToolBar;  /* (29) nominal toolbar height */
    int  cxButton;   /* (24) button width for stock glyphs */
    int  cyButton;   /* (22) button height for stock glyphs */
    int  cxGlyph;    /* (16) stock glyph width */
    int  cyGlyph;    /* (15) stock glyph height */
    UINT idImages;   /* (400) stock strip: 400 (16x15), 401 (16x11), 402 (24x23) */
} ToolBtnTDD, *PTOOLBTNTDD, *LPTOOLBTNTDD;
typedef const ToolBtnTDD *LPCTOOLBTNTDD;

/* Tool-button state word. */
#define TDD_DOWN          0x0001 /* sunken frame, glyph moved 1 pixel right and down */
#define TDD_GLYPH         0x0002 /* glyph in its colours */
#define TDD_GRAYED        0x0004 /* glyph embossed (greyed) */
#define TDD_CHECKED       0x0008 /* face dithered around the glyph */
#define TDD_NOGLYPH       0x0010 /* no glyph at all */
#define TDD_KEEPBLACK     0x0100 /* recolouring keeps black glyph pixels */
#define TDD_KEEPDARKGRAY  0x0200 /* recolouring keeps dark grey glyph pixels */
#define TDD_KEEPLIGHTGRAY 0x0400 /* recolouring keeps light grey glyph pixels */
#define TDD_KEEPWHITE     0x0800 /* recolouring keeps white glyph pixels */

/* Draws a cx by cy tool button at (x, y) of hdc showing glyph index of
   strip hbm (cxGlyph by cyGlyph glyphs); with hbm NULL the stock strip
   and sizes of *tdd are used (index 0..8, idImages 400..402); returns
   TRUE if drawn.  The DC's colours and selected objects are kept. */
ZTCAPI BOOL WINAPI ToolBtn_DrawTDD(HDC hdc, int x, int y, int cx, int cy,
                                   HBITMAP hbm, int cxGlyph, int cyGlyph,
                                   int index, WORD state, LPCTOOLBTNTDD tdd);

/* ToolBtn_DrawTDD with the library's default metrics. */
ZTCAPI BOOL WINAPI ToolBtn_Draw(HDC hdc, int x, int y, int cx, int cy,
                                HBITMAP hbm, int cxGlyph, int cyGlyph,
                                int index, UINT state);

/* Fills *tdd with the defaults; returns FALSE (writing nothing) when tdd
   is NULL or not writable. */
ZTCAPI BOOL WINAPI ToolBtn_Configure(LPTOOLBTNTDD tdd);

/* ------------------------------------------------------------------------
 * Toolbar (ZTC_TOOLBAR_CLASS)
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI TB_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

/* Tool kinds; the high bits classify them. */
#define TBT_HASWINDOW   0x100 /* the tool is a child control */
#define TBT_ABUTS       0x200 /* overlaps a neighbour of the same sort by 1 pixel */
#define TBT_DRAWN       0x400 /* drawn and hit-tested by the toolbar */

#define TBT_SEPARATOR   5     /* 6-pixel gap */
#define TBT_EDIT        0x100 /* single-line edit control */
#define TBT_DROPLIST    0x101 /* drop-down list combo box */
#define TBT_COMBO       0x102 /* drop-down combo box with edit field */
#define TBT_STATIC      0x104 /* static text */
#define TBT_DRAGGER     0x109 /* dragger control */
#define TBT_CUSTOM      0x10A /* control of the class named in ClassName */
#define TBT_BUTTONCTL   0x303 /* push-button control */
#define TBT_CHECK       0x606 /* drawn check button */
#define TBT_RADIO       0x607 /* drawn radio button (group: adjacent radios) */
#define TBT_PUSH        0x608 /* drawn push button */

/* Tool flags (ToolBar_SetNotify reads and sets TF_NOTIFY). */
#define TF_NOTIFY       0x1   /* the tool reports to the associate window */
#define TF_HIDDEN       0x2   /* the tool is hidden */

/* ToolBarTool.State of the two combo kinds: owner-drawn list. */
#define TS_OWNERDRAW    0x1000

/* Tool record for ToolBar_AddToolIndirect and TBM_ADDTOOL.
   Size must be sizeof(ToolBarTool): 48 on 32-bit Windows, 64 on 64-bit
   Windows (pointers and handles are 8 bytes there). */
typedef struct ToolBarTool {
    UINT    Size;       /* sizeof(ToolBarTool) */
    UINT    Type;       /* TBT_ kind */
    UINT    Position;   /* 0-based place in the list; beyond the end appends */
    UINT    Id;         /* tool id, also the control's child id */
    int     Width;      /* pixels (24 for stock buttons, 6 for separators) */
    UINT    Height;     /* pixels, limited to 22 except combo boxes and button controls */
    LPCSTR  Text;       /* window text of a control tool */
    HBITMAP Strip;      /* glyph strip (16x15 glyphs) or NULL for the stock images */
    int     GlyphIndex; /* glyph number in the strip (0..8 for stock images) */
    UINT    State;      /* drawn button look (TDD_ bits: 2, 4, 11, 13) or TS_OWNERDRAW */
    UINT    Style;      /* control window style, 0 for the kind's default */
    LPCSTR  ClassName;  /* control window class, NULL for the kind's default */
} ToolBarTool, *PTOOLBARTOOL, *LPTOOLBARTOOL;
typedef const ToolBarTool *LPCTOOLBARTOOL;

/* Message forwarded to a tool's control by TBM_SENDMESSAGE: three
   pointer-sized values (message, wParam, lParam), so 64-bit parameters
   pass whole. */
typedef struct ToolBarMessage {
    UINT   Message;
    WPARAM wParam;
    LPARAM lParam;
} ToolBarMessage, *PTOOLBARMESSAGE, *LPTOOLBARMESSAGE;
typedef const ToolBarMessage *LPCTOOLBARMESSAGE;

/* Toolbar messages; each calls the ToolBar_ function of the same name.
   Every other message from WM_USER up returns 0. */
#define TBM_SETASSOCIATE (WM_USER+0)  /* wParam: new associate HWND; result previous associate */
#define TBM_GETASSOCIATE (WM_USER+1)  /* result associate HWND */
#define TBM_ADDTOOL      (WM_USER+2)  /* lParam: LPCTOOLBARTOOL; result TRUE if added */
#define TBM_REMOVETOOL   (WM_USER+3)  /* wParam: tool id; result TRUE if removed */
#define TBM_SENDMESSAGE  (WM_USER+4)  /* wParam: tool id; lParam: LPCTOOLBARMESSAGE; result the control's answer */
#define TBM_SHOW         (WM_USER+5)  /* wParam: tool id; LOWORD(lParam): show flag; result TRUE if found */
#define TBM_ENABLE       (WM_USER+6)  /* wParam: tool id; LOWORD(lParam): enable flag; result TRUE if it was greyed */
#define TBM_CHECK        (WM_USER+7)  /* wParam: tool id; LOWORD(lParam): check flag; result TRUE if found */
#define TBM_SETFOCUS     (WM_USER+8)  /* wParam: tool id; result TRUE if the control got the focus */
#define TBM_EXIST        (WM_USER+9)  /* wParam: tool id; result TRUE if the tool exists */
#define TBM_GETTYPE      (WM_USER+10) /* wParam: tool id; result TBT_ kind, or -1 if not found */
#define TBM_SETDATA      (WM_USER+11) /* wParam: tool id; lParam: 32-bit value; result previous value */
#define TBM_GETDATA      (WM_USER+12) /* wParam: tool id; result the tool's value */
#define TBM_SETNOTIFY    (WM_USER+13) /* wParam: tool id; LOWORD(lParam): notify flag; result previous flag */
#define TBM_GETNOTIFY    (WM_USER+14) /* wParam: tool id; result notify flag */

/* Toolbar notifications: WM_COMMAND to the associate window,
   HIWORD(wParam) code, lParam the toolbar's HWND.  A click on a drawn
   button arrives as WM_COMMAND with the tool id and code 0, preceded by
   WM_MENUSELECT. */
#define TBN_ASSOCIATED   1001 /* LOWORD(wParam): toolbar id; sent to the new associate */
#define TBN_DISSOCIATED  1002 /* LOWORD(wParam): toolbar id; sent to the old associate */
#define TBN_TOOLADDED    1003 /* LOWORD(wParam): id of the tool added */
#define TBN_TOOLREMOVED  1004 /* LOWORD(wParam): id of the tool removed */

/* Makes associate the window that receives the toolbar's reports
   (TBN_DISSOCIATED to the old one, TBN_ASSOCIATED to the new one);
   returns the previous associate. */
ZTCAPI HWND WINAPI ToolBar_SetAssociate(HWND toolbar, HWND associate);

/* Returns the associate window (initially the toolbar's parent). */
ZTCAPI HWND WINAPI ToolBar_GetAssociate(HWND toolbar);

/* Adds a tool from these values (Style 0, ClassName NULL); returns TRUE
   if added. */
ZTCAPI BOOL WINAPI ToolBar_AddTool(HWND toolbar, UINT type, UINT position,
                                   UINT id, int width, UINT height,
                                   LPCSTR text, HBITMAP strip,
                                   int glyphIndex, UINT state);

/* Adds the tool described by *tool (Size must be sizeof(ToolBarTool));
   returns TRUE if added. */
ZTCAPI BOOL WINAPI ToolBar_AddToolIndirect(HWND toolbar, LPCTOOLBARTOOL tool);

/* Removes tool id and destroys its control; returns TRUE if found. */
ZTCAPI BOOL WINAPI ToolBar_RemoveTool(HWND toolbar, UINT id);

/* Sends msg to tool id's control; returns its answer, 0 if there is none. */
ZTCAPI LRESULT WINAPI ToolBar_SendMessage(HWND toolbar, UINT id, UINT msg,
                                          WPARAM wParam, LPARAM lParam);

/* Shows or hides tool id, closing or opening its gap; returns TRUE if
   found. */
ZTCAPI BOOL WINAPI ToolBar_Show(HWND toolbar, UINT id, BOOL show);

/* Enables or greys tool id; returns TRUE if it was greyed before. */
ZTCAPI BOOL WINAPI ToolBar_Enable(HWND toolbar, UINT id, BOOL enable);

/* Checks or unchecks check/radio tool id; returns TRUE if found. */
ZTCAPI BOOL WINAPI ToolBar_Check(HWND toolbar, UINT id, BOOL check);

/* Gives tool id's control the focus; returns TRUE if it has a control. */
ZTCAPI BOOL WINAPI ToolBar_SetFocus(HWND toolbar, UINT id);

/* Returns TRUE if the toolbar has tool id. */
ZTCAPI BOOL WINAPI ToolBar_Exist(HWND toolbar, UINT id);

/* Returns tool id's TBT_ kind, or (UINT)-1 if not found. */
ZTCAPI UINT WINAPI ToolBar_GetType(HWND toolbar, UINT id);

/* Stores an application value with tool id; returns the previous value
   (0 also when not found). */
ZTCAPI DWORD WINAPI ToolBar_SetData(HWND toolbar, UINT id, DWORD value);

/* Returns tool id's application value, 0 if not found. */
ZTCAPI DWORD WINAPI ToolBar_GetData(HWND toolbar, UINT id);

/* Sets whether tool id reports to the associate; returns the previous
   flag. */
ZTCAPI BOOL WINAPI ToolBar_SetNotify(HWND toolbar, UINT id, BOOL notify);

/* Returns whether tool id reports to the associate. */
ZTCAPI BOOL WINAPI ToolBar_GetNotify(HWND toolbar, UINT id);

/* Closes the drop-down lists of the toolbar's combo box tools. */
ZTCAPI void WINAPI ToolBar_CancelDropDown(HWND toolbar);

/* Subclass procedures of the toolbar's controls (Tab and Shift+Tab move
   the focus between them); installed by the toolbar itself. */
ZTCAPI LRESULT WINAPI EditSubProc(HWND hwnd, UINT msg, WPARAM wParam,
                                  LPARAM lParam);
ZTCAPI LRESULT WINAPI ButtonSubProc(HWND hwnd, UINT msg, WPARAM wParam,
                                    LPARAM lParam);
ZTCAPI LRESULT WINAPI CBEditSubProc(HWND hwnd, UINT msg, WPARAM wParam,
                                    LPARAM lParam);
ZTCAPI LRESULT WINAPI ComboboxSubProc(HWND hwnd, UINT msg, WPARAM wParam,
                                      LPARAM lParam);
ZTCAPI LRESULT WINAPI ListboxSubProc(HWND hwnd, UINT msg, WPARAM wParam,
                                     LPARAM lParam);

/* ------------------------------------------------------------------------
 * Bitmap button (ZTC_BMPBTN_CLASS); a click sends WM_COMMAND
 * (control id, code 0 = BN_CLICKED) to the parent
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI BB_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define BBM_SETBITMAP    (WM_USER+1000) /* lParam: HBITMAP or NULL (owned by the button unless BBS_SHAREDBITMAP); result 0 */

#define BBS_SHAREDBITMAP 0x0100 /* the application keeps ownership of the bitmap */

/* ------------------------------------------------------------------------
 * Multi-scroll control (ZTC_MUSCROLL_CLASS)
 * Each step sends WM_HSCROLL (WM_VSCROLL with MSS_VERT) to the target:
 * LOWORD(wParam) SB_LINEUP (first half), SB_LINEDOWN (second half) or
 * SB_THUMBTRACK (value placed by message), HIWORD(wParam) the new value,
 * lParam the control's HWND.
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI MS_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define MSM_SETTARGET        (WM_USER+1)  /* wParam: new target HWND; result LOWORD of the previous target, or -1 if not a window */
#define MSM_GETTARGET        (WM_USER+2)  /* result LOWORD of the target's handle */
#define MSM_SETRANGE         (WM_USER+3)  /* lParam: MAKELPARAM(min, max), signed 16-bit; result old MAKELONG(min, max), or -1 if max <= min */
#define MSM_GETRANGE         (WM_USER+4)  /* result MAKELONG(min, max) */
#define MSM_SETVALUE         (WM_USER+5)  /* wParam: new value (signed); result LOWORD of the previous value, or -1 if out of range */
#define MSM_GETVALUE         (WM_USER+6)  /* result LOWORD of the value (zero-extended) */
#define MSM_SETNOLIMITNOTIFY (WM_USER+7)  /* wParam: nonzero sets MSS_NOLIMITNOTIFY; result previous flag (0 or 1) */
#define MSM_GETNOLIMITNOTIFY (WM_USER+8)  /* result 1 if MSS_NOLIMITNOTIFY is set, else 0 */
#define MSM_SETREVERSE       (WM_USER+9)  /* wParam: nonzero sets MSS_REVERSE; result previous flag (0 or 1) */
#define MSM_GETREVERSE       (WM_USER+10) /* result 1 if MSS_REVERSE is set, else 0 */

#define MSS_VERT          0x0001 /* halves stacked, up/down arrows, WM_VSCROLL */
#define MSS_NOLIMITNOTIFY 0x0004 /* a step blocked at a bound sends nothing */
#define MSS_TEXTINIT      0x0008 /* window text "min,max,value" sets the range and value */
#define MSS_REVERSE       0x0010 /* first half increments, second half decrements */

/* Multi-scroll notifications: WM_COMMAND to the target, LOWORD(wParam)
   control id, HIWORD(wParam) code, lParam the control's HWND. */
#define MSN_ATTACHED      1 /* sent to the new target */
#define MSN_DETACHED      2 /* sent to the previous target */
#define MSN_RANGECHANGING 3 /* a new range is about to be stored */

/* ------------------------------------------------------------------------
 * Dragger (ZTC_DRAGGER_CLASS): a sunken well showing a picture, the packed
 * DIB when it has one, else the bitmap, centred.  Drag it with the left
 * button onto another application's window: the dragger finds that
 * window's frame, the menu-bar item whose text begins with "&Edi" and
 * its entry that begins with "&Past" (case ignored), sends the frame
 * WM_INITMENU and WM_INITMENUPOPUP, asks its own parent (see
 * ZTC_DRAGDROP_MSGNAME) and, when the parent agrees, brings the frame to
 * the top and sends it WM_COMMAND with the entry's id.  The parent that
 * agrees puts the data on the clipboard first.  A failed lookup beeps
 * (MessageBeep(0)); a drop onto a window of the dragger's own thread does
 * nothing.
 * --------------------------------------------------------------------- */

ZTCAPI LRESULT WINAPI DR_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define DRM_SETDIB       (WM_USER+1) /* wParam: HGLOBAL packed DIB or NULL, owned by the dragger from now on (the one it held is freed unless it is the same); result 0 */
#define DRM_SETBITMAP    (WM_USER+2) /* wParam: HBITMAP or NULL, owned by the dragger from now on (the one it held is deleted unless it is the same); result 0 */

/* ------------------------------------------------------------------------
 * Status line, drawn at the bottom of a frame window's client area
 * --------------------------------------------------------------------- */

/* Attaches a status line with count (at most 4) panes of widths[i] pixels
   (0: to the right edge) to the bottom of hwnd's client area, painted in
   hwnd's WM_PAINT and removed at its WM_DESTROY; FALSE for more than 4
   panes, a window that has one already or is no window (widths may be NULL
   when count < 1).  Keep your drawing out of StatusLine_GetHeight pixels. */
ZTCAPI BOOL WINAPI StatusLine_Create(HWND hwnd, int count, const int *widths);

/* Shows (nonzero) or hides hwnd's status line; returns TRUE if it has one. */
ZTCAPI BOOL WINAPI StatusLine_Enable(HWND hwnd, BOOL enable);

/* Returns the height of hwnd's status line in pixels, 0 if hidden or none. */
ZTCAPI UINT WINAPI StatusLine_GetHeight(HWND hwnd);

/* Sets the text of pane 0..count-1 (longer texts keep their first 191
   characters) and repaints the status line if the text changed. */
ZTCAPI void WINAPI StatusLine_SetText(HWND hwnd, int pane, LPCSTR text);

/* Draws text across the whole status line at once, over the panes, until
   the status line is next repainted; NULL or "" blanks it. */
ZTCAPI void WINAPI StatusLine_PushText(HWND hwnd, LPCSTR text);

/* Repaints the panes in place of a pushed text. */
ZTCAPI void WINAPI StatusLine_PopText(HWND hwnd);

/* Subclass procedure that StatusLine_Create installs on the frame window. */
ZTCAPI LRESULT WINAPI StatusLine_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                         LPARAM lParam);

/* ------------------------------------------------------------------------
 * DIB drawing and the DIB view (ZTC_DIBVIEW_CLASS)
 * A packed DIB is a global memory block holding a BITMAPINFOHEADER, its
 * colour table and the pixel bits (as CF_DIB).
 * --------------------------------------------------------------------- */

/* Draws the whole packed DIB stretched to (x, y, cx, cy) of hdc, leaving
   the stretch mode COLORONCOLOR. */
ZTCAPI void WINAPI DrawDIB(HDC hdc, HGLOBAL dib, int x, int y, int cx, int cy);

ZTCAPI LRESULT WINAPI DV_WndProc(HWND hwnd, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

#define DVM_SETDIB       (WM_USER+1) /* wParam: HGLOBAL packed DIB or NULL, still owned by the caller; result 0 */

#define DVS_CENTER       0x0001 /* natural size, centred; otherwise stretched */

/* ------------------------------------------------------------------------
 * About box and information menu
 * --------------------------------------------------------------------- */

/* What the About box shows: the lParam of WM_INITDIALOG for AboutDlg.
   Texts are zero-terminated and cut to their field; empty ones show nothing. */
typedef struct AboutInfo {
    HICON  Icon;             /* drawn left of the texts, or NULL for none */
    LPCSTR Title;            /* dialog title, or NULL to keep "About" */
    char   Description[80];  /* version value "FileDescription" */
    char   VersionText[32];  /* "Version 3.00.007" from the file version 3.0.x.7 */
    char   Copyright[64];    /* version value "LegalCopyright" */
    char   Trademarks[64];   /* version value "LegalTrademarks" */
    char   Comments[80];     /* version value "Comments": shown when Trademarks is empty */
} AboutInfo, *PABOUTINFO, *LPABOUTINFO;

/* Shows the modal About box for module (texts from the version resource of
   its file) over owner, with icon (NULL: owner's class icon, else the
   file's first icon) and title (NULL: "About"); returns when it is closed. */
ZTCAPI void WINAPI AboutBox(HWND owner, HINSTANCE module, HICON icon,
                            LPCSTR title);

/* Dialog procedure of the About box (dialog 100 of the library): lParam of
   WM_INITDIALOG is an LPABOUTINFO that must outlive the dialog; IDOK and
   IDCANCEL end it with 1. */
ZTCAPI INT_PTR CALLBACK AboutDlg(HWND hdlg, UINT msg, WPARAM wParam,
                                 LPARAM lParam);

/* Resource id of the About box's dialog template in the library, for
   running AboutDlg with an AboutInfo of one's own (CreateDialogParamA). */
#define ZTC_ABOUT_DIALOG 100

/* The user's profile (WIN.INI) section and keys of the information entry:
   ShowOurMenu=0 hides it, InfoPath names the help file (default below). */
#define ZTC_INFO_SECTION     "ztctrl.dll"
#define ZTC_INFO_SHOWKEY     "ShowOurMenu"
#define ZTC_INFO_PATHKEY     "InfoPath"
#define ZTC_INFO_DEFAULTPATH "vandlekq.hlp"

/* Appends the information entry (a small logo, command id) at the right
   end of hwnd's menu bar; returns TRUE if added or hidden by the user's
   profile, FALSE if hwnd has no menu or the entry cannot be added. */
ZTCAPI BOOL WINAPI ZTC_VandleMenuAdd(HWND hwnd, UINT id);

/* Opens the information help file at its contents; call it on the entry's
   command; returns the result of WinHelpA. */
ZTCAPI BOOL WINAPI ZTC_VandleMenuCmnd(HWND hwnd);

/* Closes the information help window opened for hwnd; call it when hwnd
   closes; returns the result of WinHelpA. */
ZTCAPI BOOL WINAPI ZTC_VandleMenuDone(HWND hwnd);

/* ------------------------------------------------------------------------
 * Typed message wrappers, one per control message: each sends its message
 * with SendMessageA, the parameters converted as the message expects them
 * and the answer given the type it stands for (none where it carries
 * nothing).  They are inline functions rather than macros, so that the
 * compiler checks the parameters' types and an answer left unused draws no
 * warning; C89 compilers on Windows take them as __inline.
 * --------------------------------------------------------------------- */

#if defined(__cplusplus) || (defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L)
#define ZTC_WRAPPER static inline
#else
#define ZTC_WRAPPER static __inline
#endif

/* Horizontal slider (ZTC_SLIDER_H_CLASS) */
ZTC_WRAPPER int ZtSlider_SetTicks(HWND hwnd, int count)
{ return (int)SendMessageA(hwnd, MBM_SETTICKS, (WPARAM)count, 0); }
ZTC_WRAPPER int ZtSlider_GetTicks(HWND hwnd)
{ return (int)SendMessageA(hwnd, MBM_GETTICKS, 0, 0); }
ZTC_WRAPPER void ZtSlider_SetPos(HWND hwnd, int pos)
{ SendMessageA(hwnd, MBM_SETPOS, (WPARAM)pos, 0); }
ZTC_WRAPPER int ZtSlider_GetPos(HWND hwnd)
{ return (int)SendMessageA(hwnd, MBM_GETPOS, 0, 0); }
ZTC_WRAPPER BOOL ZtSlider_SetLabels(HWND hwnd, BOOL show)
{ return (BOOL)SendMessageA(hwnd, MBM_SETLABELS, (WPARAM)show, 0); }
ZTC_WRAPPER BOOL ZtSlider_GetLabels(HWND hwnd)
{ return (BOOL)SendMessageA(hwnd, MBM_GETLABELS, 0, 0); }
ZTC_WRAPPER LONG ZtSlider_SetUserValue(HWND hwnd, LONG value)
{ return (LONG)SendMessageA(hwnd, MBM_SETUSERVALUE, (WPARAM)value, 0); }
ZTC_WRAPPER LONG ZtSlider_GetUserValue(HWND hwnd)
{ return (LONG)SendMessageA(hwnd, MBM_GETUSERVALUE, 0, 0); }
ZTC_WRAPPER void ZtSlider_SetRange(HWND hwnd, int range)
{ SendMessageA(hwnd, MBM_SETRANGE, (WPARAM)range, 0); }
ZTC_WRAPPER int ZtSlider_GetRange(HWND hwnd)
{ return (int)SendMessageA(hwnd, MBM_GETRANGE, 0, 0); }

/* Vertical slider (ZTC_SLIDER_V_CLASS) */
ZTC_WRAPPER int ZtVSlider_SetTicks(HWND hwnd, int count)
{ return (int)SendMessageA(hwnd, SLM_SETTICKS, (WPARAM)count, 0); }
ZTC_WRAPPER int ZtVSlider_GetTicks(HWND hwnd)
{ return (int)SendMessageA(hwnd, SLM_GETTICKS, 0, 0); }
ZTC_WRAPPER void ZtVSlider_SetPos(HWND hwnd, int pos)
{ SendMessageA(hwnd, SLM_SETPOS, (WPARAM)pos, 0); }
ZTC_WRAPPER int ZtVSlider_GetPos(HWND hwnd)
{ return (int)SendMessageA(hwnd, SLM_GETPOS, 0, 0); }
ZTC_WRAPPER int ZtVSlider_SetThumbSize(HWND hwnd, int size)
{ return (int)SendMessageA(hwnd, SLM_SETTHUMBSIZE, (WPARAM)size, 0); }
ZTC_WRAPPER int ZtVSlider_GetThumbSize(HWND hwnd)
{ return (int)SendMessageA(hwnd, SLM_GETTHUMBSIZE, 0, 0); }
ZTC_WRAPPER void ZtVSlider_SetRange(HWND hwnd, int range)
{ SendMessageA(hwnd, SLM_SETRANGE, (WPARAM)range, 0); }
ZTC_WRAPPER int ZtVSlider_GetRange(HWND hwnd)
{ return (int)SendMessageA(hwnd, SLM_GETRANGE, 0, 0); }

/* VU meter (ZTC_VU_H_CLASS); zone sizes and level in scale units */
ZTC_WRAPPER void ZtVUMeter_SetRed(HWND hwnd, int units)
{ SendMessageA(hwnd, VUM_SETRED, (WPARAM)units, 0); }
ZTC_WRAPPER void ZtVUMeter_SetYellow(HWND hwnd, int units)
{ SendMessageA(hwnd, VUM_SETYELLOW, (WPARAM)units, 0); }
ZTC_WRAPPER void ZtVUMeter_SetGreen(HWND hwnd, int units)
{ SendMessageA(hwnd, VUM_SETGREEN, (WPARAM)units, 0); }
ZTC_WRAPPER void ZtVUMeter_SetLevel(HWND hwnd, int level)
{ SendMessageA(hwnd, VUM_SETLEVEL, (WPARAM)level, 0); }

/* Gauge (ZTC_GAUGE_CLASS); its font goes with WM_SETFONT and WM_GETFONT */
ZTC_WRAPPER void ZtGauge_SetPercent(HWND hwnd, int percent)
{ SendMessageA(hwnd, GAM_SETPERCENT, (WPARAM)percent, 0); }
ZTC_WRAPPER void ZtGauge_SetColor(HWND hwnd, COLORREF color)
{ SendMessageA(hwnd, GAM_SETCOLOR, 0, (LPARAM)color); }

/* Toolbar (ZTC_TOOLBAR_CLASS): the messages behind the ToolBar_ functions */
ZTC_WRAPPER HWND ZtToolBar_SetAssociate(HWND hwnd, HWND associate)
{ return (HWND)SendMessageA(hwnd, TBM_SETASSOCIATE, (WPARAM)associate, 0); }
ZTC_WRAPPER HWND ZtToolBar_GetAssociate(HWND hwnd)
{ return (HWND)SendMessageA(hwnd, TBM_GETASSOCIATE, 0, 0); }
ZTC_WRAPPER BOOL ZtToolBar_AddTool(HWND hwnd, LPCTOOLBARTOOL tool)
{ return (BOOL)SendMessageA(hwnd, TBM_ADDTOOL, 0, (LPARAM)tool); }
ZTC_WRAPPER BOOL ZtToolBar_RemoveTool(HWND hwnd, UINT id)
{ return (BOOL)SendMessageA(hwnd, TBM_REMOVETOOL, (WPARAM)id, 0); }
ZTC_WRAPPER LRESULT ZtToolBar_SendMessage(HWND hwnd, UINT id, LPCTOOLBARMESSAGE message)
{ return SendMessageA(hwnd, TBM_SENDMESSAGE, (WPARAM)id, (LPARAM)message); }
ZTC_WRAPPER BOOL ZtToolBar_Show(HWND hwnd, UINT id, BOOL show)
{ return (BOOL)SendMessageA(hwnd, TBM_SHOW, (WPARAM)id, (LPARAM)(show ? 1 : 0)); }
ZTC_WRAPPER BOOL ZtToolBar_Enable(HWND hwnd, UINT id, BOOL enable)
{ return (BOOL)SendMessageA(hwnd, TBM_ENABLE, (WPARAM)id, (LPARAM)(enable ? 1 : 0)); }
ZTC_WRAPPER BOOL ZtToolBar_Check(HWND hwnd, UINT id, BOOL check)
{ return (BOOL)SendMessageA(hwnd, TBM_CHECK, (WPARAM)id, (LPARAM)(check ? 1 : 0)); }
ZTC_WRAPPER BOOL ZtToolBar_SetFocus(HWND hwnd, UINT id)
{ return (BOOL)SendMessageA(hwnd, TBM_SETFOCUS, (WPARAM)id, 0); }
ZTC_WRAPPER BOOL ZtToolBar_Exist(HWND hwnd, UINT id)
{ return (BOOL)SendMessageA(hwnd, TBM_EXIST, (WPARAM)id, 0); }
ZTC_WRAPPER UINT ZtToolBar_GetType(HWND hwnd, UINT id)
{ return (UINT)SendMessageA(hwnd, TBM_GETTYPE, (WPARAM)id, 0); }
ZTC_WRAPPER DWORD ZtToolBar_SetData(HWND hwnd, UINT id, DWORD value)
{ return (DWORD)SendMessageA(hwnd, TBM_SETDATA, (WPARAM)id, (LPARAM)value); }
ZTC_WRAPPER DWORD ZtToolBar_GetData(HWND hwnd, UINT id)
{ return (DWORD)SendMessageA(hwnd, TBM_GETDATA, (WPARAM)id, 0); }
ZTC_WRAPPER BOOL ZtToolBar_SetNotify(HWND hwnd, UINT id, BOOL notify)
{ return (BOOL)SendMessageA(hwnd, TBM_SETNOTIFY, (WPARAM)id, (LPARAM)(notify ? 1 : 0)); }
ZTC_WRAPPER BOOL ZtToolBar_GetNotify(HWND hwnd, UINT id)
{ return (BOOL)SendMessageA(hwnd, TBM_GETNOTIFY, (WPARAM)id, 0); }

/* Bitmap button (ZTC_BMPBTN_CLASS) */
ZTC_WRAPPER void ZtBmpButton_SetBitmap(HWND hwnd, HBITMAP bitmap)
{ SendMessageA(hwnd, BBM_SETBITMAP, 0, (LPARAM)bitmap); }

/* Multi-scroll control (ZTC_MUSCROLL_CLASS); answers of 16 bits come
   zero-extended (cast them to short for the signed value), -1 is a refusal */
ZTC_WRAPPER int ZtMultiScroll_SetTarget(HWND hwnd, HWND target)
{ return (int)SendMessageA(hwnd, MSM_SETTARGET, (WPARAM)target, 0); }
ZTC_WRAPPER UINT ZtMultiScroll_GetTarget(HWND hwnd)
{ return (UINT)SendMessageA(hwnd, MSM_GETTARGET, 0, 0); }
ZTC_WRAPPER LONG ZtMultiScroll_SetRange(HWND hwnd, short min, short max)
{ return (LONG)SendMessageA(hwnd, MSM_SETRANGE, 0, MAKELPARAM(min, max)); }
ZTC_WRAPPER DWORD ZtMultiScroll_GetRange(HWND hwnd)
{ return (DWORD)SendMessageA(hwnd, MSM_GETRANGE, 0, 0); }
ZTC_WRAPPER int ZtMultiScroll_SetValue(HWND hwnd, int value)
{ return (int)SendMessageA(hwnd, MSM_SETVALUE, (WPARAM)value, 0); }
ZTC_WRAPPER UINT ZtMultiScroll_GetValue(HWND hwnd)
{ return (UINT)SendMessageA(hwnd, MSM_GETVALUE, 0, 0); }
ZTC_WRAPPER BOOL ZtMultiScroll_SetNoLimitNotify(HWND hwnd, BOOL on)
{ return (BOOL)SendMessageA(hwnd, MSM_SETNOLIMITNOTIFY, (WPARAM)on, 0); }
ZTC_WRAPPER BOOL ZtMultiScroll_GetNoLimitNotify(HWND hwnd)
{ return (BOOL)SendMessageA(hwnd, MSM_GETNOLIMITNOTIFY, 0, 0); }
ZTC_WRAPPER BOOL ZtMultiScroll_SetReverse(HWND hwnd, BOOL on)
{ return (BOOL)SendMessageA(hwnd, MSM_SETREVERSE, (WPARAM)on, 0); }
ZTC_WRAPPER BOOL ZtMultiScroll_GetReverse(HWND hwnd)
{ return (BOOL)SendMessageA(hwnd, MSM_GETREVERSE, 0, 0); }

/* Dragger (ZTC_DRAGGER_CLASS); it owns the pictures it is given */
ZTC_WRAPPER void ZtDragger_SetDib(HWND hwnd, HGLOBAL dib)
{ SendMessageA(hwnd, DRM_SETDIB, (WPARAM)dib, 0); }
ZTC_WRAPPER void ZtDragger_SetBitmap(HWND hwnd, HBITMAP bitmap)
{ SendMessageA(hwnd, DRM_SETBITMAP, (WPARAM)bitmap, 0); }

/* DIB view (ZTC_DIBVIEW_CLASS); the DIB stays the caller's */
ZTC_WRAPPER void ZtDibView_SetDib(HWND hwnd, HGLOBAL dib)
{ SendMessageA(hwnd, DVM_SETDIB, (WPARAM)dib, 0); }

#undef ZTC_WRAPPER

/* ------------------------------------------------------------------------
 * Record layout checks
 * --------------------------------------------------------------------- */

#if defined(__cplusplus) && __cplusplus >= 201103L
#define ZTC_LAYOUT_CHECK_(cond, name) static_assert(cond, #name)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define ZTC_LAYOUT_CHECK_(cond, name) _Static_assert(cond, #name)
#else
#define ZTC_LAYOUT_CHECK_(cond, name) typedef char name[(cond) ? 1 : -1]
#endif

ZTC_LAYOUT_CHECK_(sizeof(ToolBtnTDD) == 28, ztc_ToolBtnTDD_is_28_bytes);
ZTC_LAYOUT_CHECK_(sizeof(AboutInfo) == 2 * sizeof(void *) + 320, ztc_AboutInfo_is_pointers_and_320_characters);
#if defined(_WIN64)
ZTC_LAYOUT_CHECK_(sizeof(ToolBarTool) == 64, ztc_ToolBarTool_is_64_bytes);
#else
ZTC_LAYOUT_CHECK_(sizeof(ToolBarTool) == 48, ztc_ToolBarTool_is_48_bytes);
#endif
ZTC_LAYOUT_CHECK_(sizeof(ToolBarMessage) == 3 * sizeof(void *), ztc_ToolBarMessage_is_three_pointers);

#undef ZTC_LAYOUT_CHECK_

#ifdef __cplusplus
}
#endif

#endif /* ZTCTRL32_H */
