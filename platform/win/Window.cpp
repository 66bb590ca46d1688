#include "platform/win/Window.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <utility>

#include "platform/com/TextConv.h"
#include "platform/win/WindowRecord.h"

namespace {

std::unordered_set<Window*>& LiveWindows() {
    static std::unordered_set<Window*> windows;
    return windows;
}

constexpr char kWindowKey[] = "veltrisk-window";

void Unregister(Window* window) {
    LiveWindows().erase(window);
    ForgetActiveWindow(window);
    if (window->parent) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
}

std::vector<Window*> OwnedWindows(Window* owner) {
    std::vector<Window*> owned;
    for (Window* w : LiveWindows())
        if (IsTopLevel(w) && w->parent == owner) owned.push_back(w);
    return owned;
}

LRESULT DestroyNotify(Window* window, UINT message) {
    return window->proc ? CallWindowProcW(window->proc, window, message, 0, 0)
                        : DefWindowProcW(window, message, 0, 0);
}

}  // namespace

bool IsTopLevel(const Window* window) {
    return (window->style & WS_CHILD) == 0;
}

Window* LiveWindow(HWND handle) {
    return LiveWindows().count(handle) ? handle : nullptr;
}

Window* WindowFromWidget(GtkWidget* widget) {
    for (; widget; widget = gtk_widget_get_parent(widget)) {
        auto* window = static_cast<Window*>(g_object_get_data(G_OBJECT(widget), kWindowKey));
        if (window && LiveWindow(window)) return window;
    }
    return nullptr;
}

void AttachWidget(Window* window, GtkWidget* widget) {
    window->widget = widget;
    g_object_set_data(G_OBJECT(widget), kWindowKey, window);
    LiveWindows().insert(window);
    if (!window->proc) window->proc = window->cls ? window->cls->proc : DefWindowProcW;
    if (IsTopLevel(window)) return;
    if (window->parent) window->parent->children.push_back(window);
    if (window->parent && window->parent->client)
        gtk_layout_put(GTK_LAYOUT(window->parent->client), widget, 0, 0);
    PlaceChild(window);
    gtk_widget_set_visible(widget, (window->style & WS_VISIBLE) != 0);
}

void PlaceChild(Window* window) {
    GtkWidget* layout = window->parent ? window->parent->client : nullptr;
    if (!layout || gtk_widget_get_parent(window->widget) != layout) return;
    const RECT& r = window->rect;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    gtk_layout_move(GTK_LAYOUT(layout), window->widget, r.left, r.top);
    gtk_widget_set_size_request(window->widget, std::max(width, 1), std::max(height, 1));
    gtk_widget_set_child_visible(window->widget, width > 0 && height > 0);
    // Placement often happens while GTK lays the window out (WM_SIZE comes from there), when a
    // queued resize would wait for the next change: allocate the new rectangle at once.
    if (!gtk_widget_get_visible(window->widget) || !gtk_widget_get_realized(layout)) return;
    GtkRequisition minimum{};
    gtk_widget_get_preferred_size(window->widget, &minimum, nullptr);
    GtkAllocation allocation{r.left, r.top, minimum.width, minimum.height};
    gtk_widget_size_allocate(window->widget, &allocation);
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, UINT id, HINSTANCE, LPVOID) {
    const WindowClass* cls = FindWindowClass(className);
    Window* parentWindow = LiveWindow(parent);
    if (!cls || !(style & WS_CHILD) || !parentWindow) return nullptr;
    auto* window = new Window;
    window->cls = cls;
    window->parent = parentWindow;
    window->id = id;
    window->style = style;
    window->exStyle = exStyle;
    window->rect = {x, y, x + width, y + height};
    AttachWidget(window, cls->create(window, windowName ? windowName : u""));
    return window;
}

BOOL DestroyWindow(HWND handle) {
    Window* window = LiveWindow(handle);
    if (!window) return FALSE;
    for (Window* owned : OwnedWindows(window)) DestroyWindow(owned);
    DestroyNotify(window, WM_DESTROY);
    while (!window->children.empty()) DestroyWindow(window->children.back());
    Unregister(window);
    g_signal_handlers_disconnect_matched(window->widget, G_SIGNAL_MATCH_DATA, 0, 0, nullptr,
                                         nullptr, window);
    g_object_set_data(G_OBJECT(window->widget), kWindowKey, nullptr);
    if (window->ownsWidget) gtk_widget_destroy(window->widget);
    DestroyNotify(window, WM_NCDESTROY);
    delete window;
    return TRUE;
}

BOOL IsWindow(HWND window) {
    return LiveWindow(window) ? TRUE : FALSE;
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    return CallWindowProcW(window->proc, window, message, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(window, message, wParam, lParam) : 0;
}

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    switch (message) {
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const WPARAM type = window->widget && GTK_IS_WINDOW(window->widget) &&
                                        gtk_window_is_maximized(GTK_WINDOW(window->widget))
                                    ? SIZE_MAXIMIZED
                                    : SIZE_RESTORED;
            SendMessageW(window, WM_SIZE, type,
                         MAKELPARAM(static_cast<WORD>(window->clientSize.cx),
                                    static_cast<WORD>(window->clientSize.cy)));
            return 0;
        }
        case WM_SETICON: {
            HICON& slot = window->icons[wParam == ICON_BIG ? 1 : 0];
            HICON previous = std::exchange(slot, reinterpret_cast<HICON>(lParam));
            // GTK picks the size it needs from one list, for both uses.
            if (GTK_IS_WINDOW(window->widget))
                gtk_window_set_icon_list(GTK_WINDOW(window->widget), IconImages(slot));
            return reinterpret_cast<LRESULT>(previous);
        }
        case WM_GETICON:
            return reinterpret_cast<LRESULT>(window->icons[wParam == ICON_BIG ? 1 : 0]);
        case WM_SETTEXT:
            window->text =
                reinterpret_cast<LPCWSTR>(lParam) ? reinterpret_cast<LPCWSTR>(lParam) : u"";
            if (GTK_IS_WINDOW(window->widget))
                gtk_window_set_title(GTK_WINDOW(window->widget), WideToUtf8(window->text).c_str());
            return TRUE;
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->text.size());
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPWSTR>(lParam);
            if (!buffer || wParam == 0) return 0;
            const std::size_t n = std::min<std::size_t>(window->text.size(), wParam - 1);
            std::copy_n(window->text.data(), n, buffer);
            buffer[n] = 0;
            return static_cast<LRESULT>(n);
        }
        default:
            return 0;
    }
}

LONG GetWindowLongW(HWND handle, int index) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    if (index == GWL_STYLE) return static_cast<LONG>(window->style);
    if (index == GWL_EXSTYLE) return static_cast<LONG>(window->exStyle);
    return 0;
}

LONG SetWindowLongW(HWND handle, int index, LONG value) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    DWORD* field = index == GWL_STYLE     ? &window->style
                   : index == GWL_EXSTYLE ? &window->exStyle
                                          : nullptr;
    if (!field) return 0;
    const LONG previous = static_cast<LONG>(*field);
    *field = static_cast<DWORD>(value);
    return previous;
}

LONG_PTR GetWindowLongPtrW(HWND handle, int index) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    if (index == GWLP_WNDPROC) return reinterpret_cast<LONG_PTR>(window->proc);
    return GetWindowLongW(handle, index);
}

LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    if (index == GWLP_WNDPROC) {
        const auto previous = reinterpret_cast<LONG_PTR>(window->proc);
        window->proc = reinterpret_cast<WNDPROC>(value);
        return previous;
    }
    return SetWindowLongW(handle, index, static_cast<LONG>(value));
}

HWND GetParent(HWND handle) {
    Window* window = LiveWindow(handle);
    return window ? window->parent : nullptr;
}

HWND GetDlgItem(HWND dialog, int id) {
    Window* window = LiveWindow(dialog);
    if (!window) return nullptr;
    for (Window* child : window->children)
        if (static_cast<int>(child->id) == id) return child;
    return nullptr;
}

HWND GetAncestorRoot(HWND handle) {
    Window* window = LiveWindow(handle);
    while (window && !IsTopLevel(window)) window = window->parent;
    return window;
}

BOOL ShowWindow(HWND handle, int command) {
    Window* window = LiveWindow(handle);
    if (!window) return FALSE;
    const BOOL wasVisible = (window->style & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    window->style = show ? window->style | WS_VISIBLE : window->style & ~WS_VISIBLE;
    if (!IsTopLevel(window)) {
        gtk_widget_set_visible(window->widget, show);
        return wasVisible;
    }
    GtkWindow* gtkWindow = GTK_WINDOW(window->widget);
    if (command == SW_SHOWMAXIMIZED) gtk_window_maximize(gtkWindow);
    if (command == SW_RESTORE) gtk_window_unmaximize(gtkWindow);
    if (show) {
        gtk_widget_show(window->widget);
        ApplyWaitCursor(window);
    } else {
        gtk_widget_hide(window->widget);
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND handle) {
    Window* window = LiveWindow(handle);
    return window && gtk_widget_is_visible(window->widget) ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND handle, const RECT*, BOOL) {
    Window* window = LiveWindow(handle);
    if (!window) return FALSE;
    gtk_widget_queue_draw(window->widget);
    return TRUE;
}

BOOL EnableWindow(HWND handle, BOOL enable) {
    Window* window = LiveWindow(handle);
    if (!window) return FALSE;
    const BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
    window->style = enable ? window->style & ~WS_DISABLED : window->style | WS_DISABLED;
    // A top-level under a modal dialog keeps its look: the dialog's grab holds its input.
    if (!IsTopLevel(window)) gtk_widget_set_sensitive(window->widget, enable != FALSE);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND handle) {
    Window* window = LiveWindow(handle);
    return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

int GetWindowTextW(HWND handle, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) return 0;
    return static_cast<int>(SendMessageW(handle, WM_GETTEXT, static_cast<WPARAM>(bufferMax),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND handle) {
    return static_cast<int>(SendMessageW(handle, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowTextW(HWND handle, LPCWSTR text) {
    if (!LiveWindow(handle)) return FALSE;
    return static_cast<BOOL>(SendMessageW(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

void SetWindowModal(HWND handle, BOOL modal) {
    Window* window = LiveWindow(handle);
    if (window && IsTopLevel(window))
        gtk_window_set_modal(GTK_WINDOW(window->widget), modal != FALSE);
}
