// The zoom the desktop applies to everything on screen, for pages to match it.
#pragma once

// 125, 150 or 200 for the screen resolutions those zooms stand for (120, 144 and 192 dpi);
// 100 for any other resolution or when there is no screen.
int GetDisplayZoomPercent();
