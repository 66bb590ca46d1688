#include "platform/win/WidgetWindow.h"

#include "platform/win/Controls.h"

namespace {

GtkWidget* NoWidget(Window*, LPCWSTR) {
    return nullptr;
}

}  // namespace

// Hosts a widget made elsewhere; its class only exists so the record has one.
const WindowClass kWidgetHostClass{u"VeltriskWidgetHost", NoWidget, DefWindowProcW};

HWND CreateWidgetWindow(GtkWidget* widget, HWND parent, UINT id, DWORD style, const RECT& rect) {
    Window* parentWindow = LiveWindow(parent);
    if (!widget || !parentWindow) return nullptr;
    auto* window = new Window;
    window->cls = &kWidgetHostClass;
    window->parent = parentWindow;
    window->id = id;
    window->style = style | WS_CHILD;
    window->rect = rect;
    AttachWidget(window, widget);
    return window;
}

GtkWidget* GetWindowWidget(HWND handle) {
    Window* window = LiveWindow(handle);
    return window ? window->widget : nullptr;
}
