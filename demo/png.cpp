// Pictures of windows as PNG files, written with the header-only
// stb_image_write.
#include "gallery.h"
#include "gdiguard.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdio>
#include <vector>

bool WritePng(const char* path, int width, int height, const unsigned char* bgrx)
{
    if (width <= 0 || height <= 0)
        return false;
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<unsigned char> rgb(count * 3);
    for (size_t i = 0; i < count; ++i) {
        rgb[i * 3 + 0] = bgrx[i * 4 + 2];
        rgb[i * 3 + 1] = bgrx[i * 4 + 1];
        rgb[i * 3 + 2] = bgrx[i * 4 + 0];
    }
    return stbi_write_png(path, width, height, 3, rgb.data(), width * 3) != 0;
}

namespace {

// Copies what a window shows on the screen (its client area, child windows
// included, or the whole window with its frame) into a top-down 32-bit picture.
bool CaptureWindow(HWND hwnd, bool withFrame, std::vector<unsigned char>& pixels, int& width, int& height)
{
    RECT area;
    if (withFrame) {
        GetWindowRect(hwnd, &area);
        OffsetRect(&area, -area.left, -area.top);
    } else {
        GetClientRect(hwnd, &area);
    }
    width = area.right;
    height = area.bottom;
    if (width <= 0 || height <= 0)
        return false;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = withFrame ? GetWindowDC(hwnd) : GetDC(hwnd);
    bool copied = false;
    {
        zt::MemoryDC memory(screen);
        zt::Owned<HBITMAP> picture(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (screen && memory && picture && bits) {
            zt::Select select(memory, picture);
            copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
            GdiFlush();
        }
        if (copied) {
            const auto* first = static_cast<const unsigned char*>(bits);
            pixels.assign(first, first + static_cast<size_t>(width) * height * 4);
        }
    }
    if (screen)
        ReleaseDC(hwnd, screen);
    return copied;
}

}  // namespace

bool SaveWindowPicture(HWND hwnd, bool withFrame, const char* path)
{
    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
    if (!CaptureWindow(hwnd, withFrame, pixels, width, height)) {
        std::fprintf(stderr, "ztdemo: cannot capture the window\n");
        return false;
    }
    if (!WritePng(path, width, height, pixels.data())) {
        std::fprintf(stderr, "ztdemo: cannot write %s\n", path);
        return false;
    }
    return true;
}
