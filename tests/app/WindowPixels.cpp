// Reads what an X window shows, for the scripts that play the game through the X server: a
// rectangle of the window's picture as raw RGB bytes, to compare two moments. The picture is taken
// from the screen, so that whatever draws into the window (a GL context, a child window of the
// window system) is in it.
// Usage: window-pixels WINDOW X Y WIDTH HEIGHT   raw RGB, row by row from the top, on stdout
// Exits 1 when the window cannot be read (gone, not mapped, or not on this display).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

static int ErrorIgnored(Display*, XErrorEvent*) {
    return 0;
}

static unsigned Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1) == 0) {
        ++shift;
    }
    const unsigned long top = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / top);
}

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: window-pixels WINDOW X Y WIDTH HEIGHT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window-pixels: no display\n");
        return 1;
    }
    XSetErrorHandler(ErrorIgnored);
    const Window window = std::strtoul(argv[1], nullptr, 0);
    XWindowAttributes attributes;
    int x = 0;
    int y = 0;
    Window child;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable ||
        !XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child)) {
        std::fprintf(stderr, "window-pixels: window %s cannot be read\n", argv[1]);
        return 1;
    }
    XImage* image = XGetImage(display, attributes.root, x, y, attributes.width, attributes.height,
                              AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "window-pixels: window %s cannot be read\n", argv[1]);
        return 1;
    }
    // Only the part of the rectangle inside the window.
    const int cx = std::atoi(argv[2]);
    const int cy = std::atoi(argv[3]);
    const int right = std::min(cx + std::atoi(argv[4]), image->width);
    const int bottom = std::min(cy + std::atoi(argv[5]), image->height);
    std::vector<unsigned char> row;
    for (int py = std::max(cy, 0); py < bottom; ++py) {
        row.clear();
        for (int px = std::max(cx, 0); px < right; ++px) {
            const unsigned long pixel = XGetPixel(image, px, py);
            row.push_back(static_cast<unsigned char>(Channel(pixel, image->red_mask)));
            row.push_back(static_cast<unsigned char>(Channel(pixel, image->green_mask)));
            row.push_back(static_cast<unsigned char>(Channel(pixel, image->blue_mask)));
        }
        std::fwrite(row.data(), 1, row.size(), stdout);
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return 0;
}
