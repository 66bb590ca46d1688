#include "app/DisplayZoom.h"

#include "platform/win/DeviceContext.h"

namespace {

struct ResolutionZoom {
    int dotsPerInch;
    int percent;
};

constexpr ResolutionZoom kZooms[] = {{120, 125}, {144, 150}, {192, 200}};
constexpr int kNoZoom = 100;

}  // namespace

int GetDisplayZoomPercent() {
    const HDC dc = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    for (const ResolutionZoom& zoom : kZooms) {
        if (zoom.dotsPerInch == dotsPerInch) return zoom.percent;
    }
    return kNoZoom;
}
