// The module-wide objects tool buttons are drawn with: the metrics record,
// the stock glyph strips, two memory DCs and the cached checkerboard brush.
// Made at the first process attach and released at the last detach.
#pragma once
#include <windows.h>

#include "ztctrl32.h"

extern ToolBtnTDD DefaultTDD;
extern HBITMAP ToolImages[3];  // strips 400, 401 and 402
extern BOOL ToolImagesReady;
extern HDC GlyphDC;            // holds the strip being drawn for one draw
extern HDC MaskDC;             // holds a draw's monochrome mask
extern HBRUSH DitherBrush;
extern COLORREF DitherColours[2];
// Held for the length of one draw: the DCs, the brush and the button
// colours serve one draw at a time, whichever thread paints.
extern SRWLOCK ToolDrawLock;

// Makes everything once; FALSE when a strip, a DC or the brush is missing.
BOOL ToolBtn_InitImages(HINSTANCE hinst);
// Releases whatever was made.
void ToolBtn_FreeImages();
// COLOR_BTNHIGHLIGHT, or white on systems up to version 3.0.
COLORREF ToolBtn_HighlightColour();
// The checkerboard brush of the two colours, remade only when they change.
HBRUSH ToolBtn_DitherBrush(COLORREF colour1, COLORREF colour2);
