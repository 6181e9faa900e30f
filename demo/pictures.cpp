// Shapes and picture strips for the gallery's own glyphs and buttons.
#include "pictures.h"
#include "gdiguard.h"

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kHighlight = RGB(255, 255, 255);

// The shape's outline and fill in the DC's current pen and brush.
void Outline(HDC dc, Shape shape, RECT r)
{
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    switch (shape) {
    case Shape::Circle:
        Ellipse(dc, r.left, r.top, r.right, r.bottom);
        break;
    case Shape::Square:
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        break;
    case Shape::Triangle: {
        const POINT p[3] = {{r.left, r.top}, {r.right - 1, cy}, {r.left, r.bottom - 1}};
        Polygon(dc, p, 3);
        break;
    }
    case Shape::Diamond: {
        const POINT p[4] = {{cx, r.top}, {r.right - 1, cy}, {cx, r.bottom - 1}, {r.left, cy}};
        Polygon(dc, p, 4);
        break;
    }
    }
}

}  // namespace

void DrawShape(HDC dc, Shape shape, RECT box, COLORREF colour)
{
    zt::Owned<HPEN> shadowPen(CreatePen(PS_SOLID, 1, kShadow));
    zt::Owned<HBRUSH> shadowBrush(CreateSolidBrush(kShadow));
    zt::Owned<HPEN> inkPen(CreatePen(PS_SOLID, 1, kInk));
    zt::Owned<HBRUSH> fill(CreateSolidBrush(colour));
    RECT shadow = box;
    OffsetRect(&shadow, 1, 1);
    {
        zt::Select pen(dc, shadowPen), brush(dc, shadowBrush);
        Outline(dc, shape, shadow);
    }
    zt::Select pen(dc, inkPen), brush(dc, fill);
    Outline(dc, shape, box);
    // A glint towards the top left.
    const int gx = box.left + (box.right - box.left) / 3, gy = box.top + (box.bottom - box.top) / 3;
    SetPixel(dc, gx, gy, kHighlight);
    SetPixel(dc, gx + 1, gy, kHighlight);
    SetPixel(dc, gx, gy + 1, kHighlight);
}

HBITMAP MakePicture(int cellWidth, int height, const Shape* shapes, const COLORREF* colours,
                    int count)
{
    zt::WindowDC screen(nullptr);
    zt::MemoryDC memory(screen);
    zt::Owned<HBITMAP> picture(CreateCompatibleBitmap(screen, cellWidth * count, height));
    if (!screen || !memory || !picture)
        return nullptr;
    {
        zt::Select select(memory, picture);
        zt::Owned<HBRUSH> face(CreateSolidBrush(kPictureFace));
        const RECT all{0, 0, cellWidth * count, height};
        FillRect(memory, &all, face);
        for (int i = 0; i < count; ++i) {
            const RECT box{i * cellWidth + 1, 1, (i + 1) * cellWidth - 2, height - 2};
            DrawShape(memory, shapes[i], box, colours[i]);
        }
    }
    return picture.release();
}

namespace {

constexpr int kFrameWidth = 2;

// The colour of pixel (x, y), y counted from the top: red grows to the
// right, green downwards, inside a black frame with a white diagonal.
RGBTRIPLE PixelAt(int x, int y)
{
    const bool frame = x < kFrameWidth || y < kFrameWidth || x >= kGradientWidth - kFrameWidth ||
                       y >= kGradientHeight - kFrameWidth;
    if (frame)
        return RGBTRIPLE{0, 0, 0};
    if (x * kGradientHeight / kGradientWidth == y)
        return RGBTRIPLE{255, 255, 255};
    return RGBTRIPLE{160, static_cast<BYTE>(y * 255 / (kGradientHeight - 1)),
                     static_cast<BYTE>(x * 255 / (kGradientWidth - 1))};
}

}  // namespace

HGLOBAL MakeGradientDIB()
{
    constexpr int rowBytes = (kGradientWidth * 3 + 3) / 4 * 4;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                              sizeof(BITMAPINFOHEADER) + rowBytes * kGradientHeight);
    auto* header = dib ? static_cast<BITMAPINFOHEADER*>(GlobalLock(dib)) : nullptr;
    if (!header) {
        if (dib)
            GlobalFree(dib);
        return nullptr;
    }
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = kGradientWidth;
    header->biHeight = kGradientHeight;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    auto* bits = reinterpret_cast<BYTE*>(header + 1);
    for (int row = 0; row < kGradientHeight; ++row) {
        auto* pixel = reinterpret_cast<RGBTRIPLE*>(bits + row * rowBytes);
        for (int x = 0; x < kGradientWidth; ++x)
            pixel[x] = PixelAt(x, kGradientHeight - 1 - row);
    }
    GlobalUnlock(dib);
    return dib;
}

bool PutOnClipboard(HWND owner, HANDLE picture, UINT format)
{
    if (!picture)
        return false;
    const bool open = OpenClipboard(owner) != FALSE;
    if (open)
        EmptyClipboard();
    const bool placed = open && SetClipboardData(format, picture);
    if (open)
        CloseClipboard();
    if (!placed && format == CF_DIB)
        GlobalFree(picture);
    else if (!placed)
        DeleteObject(picture);
    return placed;
}
