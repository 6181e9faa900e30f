// The gallery framework: a frame window showing titled sections in columns.
//
// A section is one GallerySection, defined in its own demo/section_*.cpp and
// listed once in the GALLERY_SECTIONS table of demo/main.cpp.  The frame
// gives each section a rectangle of the size it asks for, below a title the
// frame draws, and a block of 100 control ids starting at firstId for the
// child windows it creates.  Any callback may be null.  What a section makes
// (bitmaps, fonts, memory) it keeps in its controls or as window properties
// of the frame, and releases in destroy.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct GallerySection {
    const char* title;
    int width, height;                               // of the area below the title
    void (*create)(HWND frame, RECT area, int firstId);  // create child controls
    void (*tick)(HWND frame, int firstId, int step);     // animate; step counts up from 1
    void (*paint)(HWND frame, HDC dc, RECT area);    // draw into dc (the frame's, or a printing DC)
    // A report from one of the section's controls: WM_COMMAND, WM_HSCROLL,
    // WM_VSCROLL or a dragger's question (ZTC_DRAGDROP_MSGNAME) as the frame
    // received it.  The result is the frame's answer: 0 but to a question.
    LRESULT (*notify)(HWND frame, int firstId, UINT msg, WPARAM wParam, LPARAM lParam);
    void (*destroy)(HWND frame, int firstId);            // release what create made
};

// The toolbar along the top of the frame's client area (toolbar.h); the
// sections lie below it.
constexpr int kGalleryToolbarHeight = 29;

// Creates a visible child of the frame in the dialog font: a library control
// by class name, or "static" for a label.
HWND GalleryChild(HWND frame, const char* className, const char* text, DWORD style,
                  int id, int x, int y, int width, int height);

// The pictures the gallery takes of itself; a null member is not taken.
struct GalleryPictures {
    const char* file;  // the whole client area, as a PNG file
    const char* dir;   // a folder (made if missing) for one PNG per section, the
                       // toolbar's (toolbar.png) and the status line's (status-line.png)
};

// Shows the sections in a frame window.  With pictures null it runs the
// message loop until the frame is closed, and the frame keeps its placement
// in ztdemo.ini beside the program between runs; otherwise it runs the
// animation for about a second, writes the pictures and returns.  Returns
// the process exit code (0 on success).
int RunGallery(HINSTANCE instance, const GallerySection* const* sections, int count,
               const GalleryPictures* pictures);

// The file name of a section's picture: its title up to any " (", in lower
// case, with every run of other characters than letters and digits made one
// '-' ("VU meters" -> "vu-meters.png").
std::string SectionPictureName(const char* title);

// Writes what the window shows on the screen (its client area, child
// windows included, or with withFrame the whole window) to a PNG file;
// false, said on stderr, on failure.
bool SaveWindowPicture(HWND hwnd, bool withFrame, const char* path);

// A part of a window's client area and the PNG file it is written to.
struct PicturePart {
    RECT cut;  // clipped to the client area
    std::string path;
};

// Writes each part of what the window's client area shows to its file;
// false, said on stderr, when any could not be written.
bool SaveClientParts(HWND hwnd, const std::vector<PicturePart>& parts);
