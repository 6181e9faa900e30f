// ztdemo: a gallery of the ztctrl32 controls.
//
//   ztdemo                              shows the gallery until it is closed
//   ztdemo --screenshot FILE.png        animates it for a second, writes FILE.png
//   ztdemo --screenshot-dir DIR         ... and one DIR\<section>.png per section,
//                                       DIR\toolbar.png and DIR\status-line.png
//                                       (both options may be given together)
//   ztdemo --screenshot-about FILE.png  writes a picture of the demo's About box
#include "gallery.h"
#include "help.h"
#include "ztctrl32.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

// Every section of the gallery, in display order.  To add one, define its
// GallerySection in a new demo/section_<name>.cpp and add its name here.
#define GALLERY_SECTIONS(SECTION) \
    SECTION(VUMeterSection)       \
    SECTION(SliderSection)        \
    SECTION(GaugeSection)         \
    SECTION(BitmapButtonSection)  \
    SECTION(MultiScrollSection)   \
    SECTION(DraggerSection)       \
    SECTION(ToolButtonSection)    \
    SECTION(CursorSection)        \
    SECTION(DibViewSection)

#define DECLARE_SECTION(name) extern const GallerySection name;
#define LIST_SECTION(name) &name,
GALLERY_SECTIONS(DECLARE_SECTION)
static const GallerySection* const kSections[] = {GALLERY_SECTIONS(LIST_SECTION)};

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc == 3 && std::strcmp(__argv[1], "--screenshot-about") == 0)
        return AboutScreenshot(instance, __argv[2]);
    GalleryPictures pictures{nullptr, nullptr};
    for (int i = 1; i < __argc; i += 2) {
        const char** option = nullptr;
        if (std::strcmp(__argv[i], "--screenshot") == 0)
            option = &pictures.file;
        else if (std::strcmp(__argv[i], "--screenshot-dir") == 0)
            option = &pictures.dir;
        if (!option || *option || i + 1 == __argc) {
            std::fprintf(stderr, "usage: ztdemo [--screenshot FILE.png] [--screenshot-dir DIR]\n"
                                 "       ztdemo --screenshot-about FILE.png\n");
            return 2;
        }
        *option = __argv[i + 1];
    }
    ZTC_Register(0);
    return RunGallery(instance, kSections, static_cast<int>(std::size(kSections)),
                      __argc > 1 ? &pictures : nullptr);
}
