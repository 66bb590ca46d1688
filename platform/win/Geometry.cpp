// Window placement. Child rectangles are kept in the record and applied to the GtkLayout of
// the parent; a top-level's window rectangle is the GtkWindow's (the window manager's frame is
// not part of it), and its client area is the layout below the menu bar.
#include <algorithm>

#include "platform/win/WindowRecord.h"

namespace {

int MenuBarHeight(const Window* window) {
    if (!window->menuBar) return 0;
    int minimum = 0;
    gtk_widget_get_preferred_height(window->menuBar, &minimum, nullptr);
    return minimum;
}

RECT TopLevelRect(Window* window) {
    GtkWindow* gtkWindow = GTK_WINDOW(window->widget);
    int x = 0, y = 0, width = 0, height = 0;
    gtk_window_get_position(gtkWindow, &x, &y);
    gtk_window_get_size(gtkWindow, &width, &height);
    return {x, y, x + width, y + height};
}

POINT ClientOrigin(Window* window) {
    if (IsTopLevel(window)) {
        const RECT r = TopLevelRect(window);
        return {r.left, r.top + MenuBarHeight(window)};
    }
    const POINT parent = window->parent ? ClientOrigin(window->parent) : POINT{0, 0};
    return {parent.x + window->rect.left, parent.y + window->rect.top};
}

void MoveTopLevel(Window* window, int x, int y, int cx, int cy, UINT flags) {
    GtkWindow* gtkWindow = GTK_WINDOW(window->widget);
    if (!(flags & SWP_NOMOVE)) gtk_window_move(gtkWindow, x, y);
    if (!(flags & SWP_NOSIZE)) gtk_window_resize(gtkWindow, std::max(cx, 1), std::max(cy, 1));
}

}  // namespace

BOOL GetClientRect(HWND handle, LPRECT rect) {
    Window* window = LiveWindow(handle);
    if (!window || !rect) return FALSE;
    if (IsTopLevel(window)) {
        *rect = {0, 0, window->clientSize.cx, window->clientSize.cy};
    } else {
        const RECT& r = window->rect;
        *rect = {0, 0, std::max<LONG>(r.right - r.left, 0), std::max<LONG>(r.bottom - r.top, 0)};
    }
    return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect) {
    Window* window = LiveWindow(handle);
    if (!window || !rect) return FALSE;
    if (IsTopLevel(window)) {
        *rect = TopLevelRect(window);
        return TRUE;
    }
    const POINT origin = window->parent ? ClientOrigin(window->parent) : POINT{0, 0};
    const RECT& r = window->rect;
    *rect = {origin.x + r.left, origin.y + r.top, origin.x + r.right, origin.y + r.bottom};
    return TRUE;
}

BOOL SetWindowPos(HWND handle, HWND, int x, int y, int cx, int cy, UINT flags) {
    Window* window = LiveWindow(handle);
    if (!window) return FALSE;
    if (IsTopLevel(window)) {
        MoveTopLevel(window, x, y, cx, cy, flags);
    } else {
        RECT& r = window->rect;
        if (flags & SWP_NOMOVE) x = r.left, y = r.top;
        if (flags & SWP_NOSIZE) cx = r.right - r.left, cy = r.bottom - r.top;
        r = {x, y, x + cx, y + cy};
        PlaceChild(window);
    }
    if (flags & SWP_SHOWWINDOW) ShowWindow(window, SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(window, SW_HIDE);
    return TRUE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
    if (!SetWindowPos(handle, nullptr, x, y, width, height, SWP_NOZORDER)) return FALSE;
    if (repaint) InvalidateRect(handle, nullptr, TRUE);
    return TRUE;
}
