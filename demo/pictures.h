// Small pictures the sections make for themselves: coloured shapes in the
// tool-glyph colours (black outline, dark grey shadow, white highlight) on
// the light grey that tool-button drawing treats as the button face.
#pragma once
#include <windows.h>

enum class Shape { Circle, Square, Triangle, Diamond };

constexpr COLORREF kPictureFace = RGB(192, 192, 192);

// Draws shape filled with colour inside box, its shadow one pixel right and
// down (so box should leave a pixel free there).
void DrawShape(HDC dc, Shape shape, RECT box, COLORREF colour);

// A strip of count cells, each cellWidth x height, as a bitmap compatible
// with the screen: kPictureFace with shapes[i] in colours[i] in cell i.
// Null on failure; the caller owns the bitmap.
HBITMAP MakePicture(int cellWidth, int height, const Shape* shapes, const COLORREF* colours,
                    int count);

// A packed 24-bit DIB of kGradientWidth x kGradientHeight in moveable global
// memory: red grows to the right, green downwards, inside a black frame with
// a white diagonal.  Null on failure; the caller owns the block.
constexpr int kGradientWidth = 64, kGradientHeight = 40;
HGLOBAL MakeGradientDIB();

// Puts a picture (CF_DIB: a packed DIB; CF_BITMAP: a bitmap) on the
// clipboard, which owns it from then on; on failure it is released here.
bool PutOnClipboard(HWND owner, HANDLE picture, UINT format);
