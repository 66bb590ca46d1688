// How a control container embeds a control here: it gives the control its site and asks it
// for its window. (On Windows this is the in-place activation of IOleObject.)
#pragma once

#include "platform/com/Unknown.h"
#include "platform/win/Window.h"

inline constexpr IID IID_IHostedControl = {
    0x5A4F3C21, 0x7D1E, 0x4B8A, {0x9C, 0x3F, 0x21, 0x6E, 0x4D, 0x11, 0x0B, 0x7A}};

struct IHostedControl : IUnknown {
    // The site is the container's object for this control; the control keeps a reference and
    // asks it for host services with QueryInterface.
    virtual HRESULT SetClientSite(IUnknown* site) = 0;
    virtual HRESULT CreateControlWindow(HWND parent, const RECT* rect, UINT id, HWND* window) = 0;
    // Releases the site and the window: the container is letting go of the control.
    virtual HRESULT Close() = 0;

protected:
    ~IHostedControl() = default;
};
