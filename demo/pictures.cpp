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
