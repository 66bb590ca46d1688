#include "platform/win/DeviceContext.h"

#include <gdk/gdk.h>

#include <cmath>

struct DeviceContext {
    GdkScreen* screen;
};

namespace {

// GTK reports -1 while no resolution (Xft.dpi) is set; the desktop then draws at 96.
constexpr double kDefaultResolution = 96.0;

}  // namespace

HDC GetDC(HWND window) {
    GdkScreen* screen = window ? nullptr : gdk_screen_get_default();
    return screen ? new DeviceContext{screen} : nullptr;
}

int GetDeviceCaps(HDC dc, int index) {
    if (!dc || index != LOGPIXELSX) return 0;
    const double resolution = gdk_screen_get_resolution(dc->screen);
    return static_cast<int>(std::lround(resolution < 0 ? kDefaultResolution : resolution));
}

int ReleaseDC(HWND, HDC dc) {
    if (!dc) return 0;
    delete dc;
    return 1;
}
