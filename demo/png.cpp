// PNG output through the header-only stb_image_write.
#include "gallery.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

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
