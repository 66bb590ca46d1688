// Device contexts, as far as the program asks about the screen: its logical resolution.
#pragma once

#include "platform/win/Handles.h"

struct DeviceContext;
using HDC = DeviceContext*;

constexpr int LOGPIXELSX = 88;

// Only the whole screen's context (a null window) exists; null when there is no display.
HDC GetDC(HWND window);
// LOGPIXELSX is the screen's resolution in dots per inch; 0 for other indices or a null context.
int GetDeviceCaps(HDC dc, int index);
// Returns 1 when dc was released, 0 for a null context.
int ReleaseDC(HWND window, HDC dc);
