// GTK events of top-level windows turned into window messages.
#include <gdk/gdkkeysyms.h>

#include <algorithm>

#include "platform/win/WidgetWindow.h"
#include "platform/win/WindowRecord.h"

namespace {

Window* g_lastActive = nullptr;

struct KeyMapping {
    guint keyval;
    WPARAM vk;
};

// GDK key values that have a virtual-key code of their own; letters and digits map directly.
constexpr KeyMapping kKeyMap[] = {
    {GDK_KEY_Return, VK_RETURN},
    {GDK_KEY_KP_Enter, VK_RETURN},
    {GDK_KEY_ISO_Enter, VK_RETURN},
    {GDK_KEY_Escape, VK_ESCAPE},
    {GDK_KEY_Tab, VK_TAB},
    {GDK_KEY_ISO_Left_Tab, VK_TAB},
    {GDK_KEY_BackSpace, 0x08},
    {GDK_KEY_space, 0x20},
    {GDK_KEY_Page_Up, 0x21},
    {GDK_KEY_Page_Down, 0x22},
    {GDK_KEY_End, 0x23},
    {GDK_KEY_Home, 0x24},
    {GDK_KEY_Left, 0x25},
    {GDK_KEY_Up, 0x26},
    {GDK_KEY_Right, 0x27},
    {GDK_KEY_Down, 0x28},
    {GDK_KEY_Insert, 0x2D},
    {GDK_KEY_Delete, 0x2E},
};

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
    // A window disabled under a modal dialog does not close.
    auto* window = static_cast<Window*>(data);
    if (!(window->style & WS_DISABLED)) SendMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void OnClientAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
    auto* window = static_cast<Window*>(data);
    if (allocation->width == window->clientSize.cx && allocation->height == window->clientSize.cy)
        return;
    window->clientSize = {allocation->width, allocation->height};
    RECT r{};
    GetWindowRect(window, &r);
    WINDOWPOS pos{window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, 0};
    SendMessageW(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    HWND focus = GetFocus();
    MSG msg{focus ? focus : static_cast<Window*>(data),
            WM_KEYDOWN,
            VirtualKeyFromGdk(event->keyval),
            0,
            event->time,
            {0, 0}};
    return FilterMessage(&msg) ? TRUE : FALSE;
}

gboolean OnFocusIn(GtkWidget*, GdkEvent*, gpointer data) {
    g_lastActive = static_cast<Window*>(data);
    return FALSE;
}

void OnRealize(GtkWidget*, gpointer data) {
    ApplyWaitCursor(static_cast<Window*>(data));
}

}  // namespace

WPARAM VirtualKeyFromGdk(guint keyval) {
    for (const KeyMapping& m : kKeyMap)
        if (m.keyval == keyval) return m.vk;
    const guint upper = gdk_keyval_to_upper(keyval);
    if ((upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9')) return upper;
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12) return 0x70 + (keyval - GDK_KEY_F1);
    return 0;
}

void ConnectTopLevelSignals(Window* window) {
    g_signal_connect(window->widget, "delete-event", G_CALLBACK(OnDelete), window);
    g_signal_connect(window->widget, "key-press-event", G_CALLBACK(OnKeyPress), window);
    g_signal_connect(window->widget, "focus-in-event", G_CALLBACK(OnFocusIn), window);
    g_signal_connect(window->widget, "realize", G_CALLBACK(OnRealize), window);
    g_signal_connect(window->client, "size-allocate", G_CALLBACK(OnClientAllocate), window);
}

Window* LastActiveTopLevel() {
    return g_lastActive;
}

void ForgetActiveWindow(Window* window) {
    if (g_lastActive == window) g_lastActive = nullptr;
}

HWND GetFocus() {
    Window* top = LastActiveTopLevel();
    if (!top) {
        for (GList* l = gtk_window_list_toplevels(); l; l = g_list_delete_link(l, l))
            if (!top && gtk_window_is_active(GTK_WINDOW(l->data)))
                top = WindowFromWidget(GTK_WIDGET(l->data));
    }
    if (!top) return nullptr;
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(top->widget));
    return focus ? WindowFromWidget(focus) : nullptr;
}

HWND SetFocus(HWND handle) {
    Window* window = LiveWindow(handle);
    if (!window) return nullptr;
    HWND previous = GetFocus();
    gtk_widget_grab_focus(window->widget);
    if (Window* top = GetAncestorRoot(window)) g_lastActive = top;
    return previous;
}

HWND SetActiveWindow(HWND handle) {
    Window* window = LiveWindow(GetAncestorRoot(handle));
    if (!window) return nullptr;
    Window* previous = LastActiveTopLevel();
    g_lastActive = window;
    gtk_window_present(GTK_WINDOW(window->widget));
    return previous;
}

HWND GetLastActivePopup(HWND owner) {
    Window* active = LastActiveTopLevel();
    for (Window* w = active; w; w = w->parent)
        if (w == owner) return active;
    return LiveWindow(owner);
}
