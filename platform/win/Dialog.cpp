// Dialog windows from templates, and the dialog manager's default processing.
#include <pango/pango.h>

#include <algorithm>
#include <cmath>

#include "platform/com/TextConv.h"
#include "platform/win/WindowRecord.h"

namespace {

// Windows measures the average width over the 52 Latin letters and rounds the way below.
SIZE DialogBaseUnits(const DialogTemplate* dialog) {
    PangoContext* context = gdk_pango_context_get();
    PangoFontDescription* font = pango_font_description_from_string(
        (WideToUtf8(dialog->typeface ? dialog->typeface : u"Sans") + " " +
         std::to_string(dialog->pointSize ? dialog->pointSize : 8))
            .c_str());
    PangoLayout* layout = pango_layout_new(context);
    pango_layout_set_font_description(layout, font);
    pango_layout_set_text(layout, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", -1);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    pango_font_description_free(font);
    g_object_unref(context);
    return {(width / 26 + 1) / 2, height};
}

RECT ToPixels(const SIZE& units, short x, short y, short cx, short cy) {
    const auto scale = [](long v, long unit, long div) {
        return static_cast<LONG>(std::lround(static_cast<double>(v) * unit / div));
    };
    const LONG left = scale(x, units.cx, 4), top = scale(y, units.cy, 8);
    return {left, top, left + scale(cx, units.cx, 4), top + scale(cy, units.cy, 8)};
}

GtkWidget* CreateTopLevel(Window* window, const DialogTemplate* dialog) {
    GtkWidget* gtkWindow = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_resizable(GTK_WINDOW(gtkWindow), (dialog->style & WS_THICKFRAME) != 0);
    // An owned window has no taskbar entry of its own unless it asks for one.
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(gtkWindow),
                                     window->parent && !(dialog->exStyle & WS_EX_APPWINDOW));
    if (window->parent)
        gtk_window_set_transient_for(GTK_WINDOW(gtkWindow), GTK_WINDOW(window->parent->widget));
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_container_add(GTK_CONTAINER(gtkWindow), box);
    if (window->menu) {
        window->menuBar = CreateMenuBar(window, window->menu);
        gtk_box_pack_start(GTK_BOX(box), window->menuBar, FALSE, FALSE, 0);
    }
    window->client = gtk_layout_new(nullptr, nullptr);
    gtk_box_pack_start(GTK_BOX(box), window->client, TRUE, TRUE, 0);
    gtk_widget_show_all(box);
    return gtkWindow;
}

// The desktop's work area, where a window must fit to be usable.
GdkRectangle WorkArea() {
    GdkRectangle area{0, 0, G_MAXINT / 2, G_MAXINT / 2};
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!monitor && display) monitor = gdk_display_get_monitor(display, 0);
    if (monitor) gdk_monitor_get_workarea(monitor, &area);
    return area;
}

void SizeTopLevel(Window* window, const RECT& frame) {
    int menuHeight = 0;
    if (window->menuBar) gtk_widget_get_preferred_height(window->menuBar, &menuHeight, nullptr);
    // A template larger than the screen (the font here is wider than the one it was drawn
    // with) opens at the screen's size instead.
    const GdkRectangle area = WorkArea();
    window->clientSize = {std::min<LONG>(frame.right - frame.left, area.width),
                          std::min<LONG>(frame.bottom - frame.top, area.height - menuHeight)};
    gtk_window_set_default_size(GTK_WINDOW(window->widget), window->clientSize.cx,
                                window->clientSize.cy + menuHeight);
    // An owned dialog opens centred over its owner; others at the template's position.
    if (window->parent)
        gtk_window_set_position(GTK_WINDOW(window->widget), GTK_WIN_POS_CENTER_ON_PARENT);
    else
        gtk_window_move(
            GTK_WINDOW(window->widget),
            std::clamp<int>(frame.left, area.x, area.x + area.width - window->clientSize.cx),
            std::clamp<int>(frame.top, area.y,
                            area.y + area.height - window->clientSize.cy - menuHeight));
}

void CreateTemplateControls(Window* window, const DialogTemplate* dialog) {
    static constexpr LPCWSTR kClassNames[] = {WC_BUTTONW, WC_EDITW, WC_STATICW};
    for (std::size_t i = 0; i < dialog->controlCount; ++i) {
        const DialogControl& c = dialog->controls[i];
        const RECT r = ToPixels(window->baseUnits, c.x, c.y, c.cx, c.cy);
        HWND control =
            CreateWindowExW(c.exStyle, kClassNames[static_cast<int>(c.cls)], c.text,
                            c.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top,
                            window, static_cast<UINT>(c.id), nullptr, nullptr);
        if (control && (dialog->style & DS_SETFONT)) ApplyDialogFont(control->widget, dialog);
    }
}

// The first tab stop takes the focus, as the dialog manager does after WM_INITDIALOG.
void FocusFirstTabStop(Window* window) {
    for (Window* child : window->children) {
        if ((child->style & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE)) {
            SetFocus(child);
            return;
        }
    }
}

DialogShownHook g_dialogShownHook = nullptr;

gboolean RunDialogShownHook(gpointer widget) {
    // The dialog may be gone by now; its widget then no longer names a window.
    Window* window = WindowFromWidget(GTK_WIDGET(widget));
    if (window && g_dialogShownHook) g_dialogShownHook(window);
    return G_SOURCE_REMOVE;
}

// Mapping happens inside ShowWindow: the hook waits for the main loop.
void OnDialogMapped(GtkWidget* widget, gpointer) {
    if (g_dialogShownHook)
        g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, RunDialogShownHook, g_object_ref(widget),
                        g_object_unref);
}

LRESULT DefDlgProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(handle);
    if (!window) return 0;
    if (window->dlgProc && window->dlgProc(handle, message, wParam, lParam)) return TRUE;
    if (message == WM_CLOSE) {
        // Closing a dialog is its cancel command.
        PostMessageW(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return DefWindowProcW(handle, message, wParam, lParam);
}

}  // namespace

void ApplyDialogFont(GtkWidget* widget, const DialogTemplate* dialog) {
    // Template rectangles are sized for the template font; GTK's minimum heights and vertical
    // padding would make buttons and boxes overflow them.
    const std::string css = "* { font-family: \"" + WideToUtf8(dialog->typeface) +
                            "\", sans-serif; font-size: " + std::to_string(dialog->pointSize) +
                            "pt; } button, entry { min-height: 0; padding-top: 0; "
                            "padding-bottom: 0; }";
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                   GTK_STYLE_PROVIDER(provider),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
    if (GTK_IS_CONTAINER(widget))
        gtk_container_foreach(
            GTK_CONTAINER(widget),
            [](GtkWidget* child, gpointer data) {
                ApplyDialogFont(child, static_cast<const DialogTemplate*>(data));
            },
            const_cast<DialogTemplate*>(dialog));
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, const DialogTemplate* dialog, HWND owner,
                                DLGPROC proc, LPARAM param) {
    if (!dialog) return nullptr;
    auto* window = new Window;
    window->parent = LiveWindow(owner);
    window->style = dialog->style & ~WS_VISIBLE;
    window->exStyle = dialog->exStyle;
    window->proc = DefDlgProcW;
    window->dlgProc = proc;
    window->text = dialog->caption ? dialog->caption : u"";
    window->baseUnits = DialogBaseUnits(dialog);
    if (dialog->menu) window->menu = LoadMenuW(instance, MAKEINTRESOURCEW(dialog->menu));
    AttachWidget(window, CreateTopLevel(window, dialog));
    gtk_window_set_title(GTK_WINDOW(window->widget), WideToUtf8(window->text).c_str());
    SizeTopLevel(window, ToPixels(window->baseUnits, dialog->x, dialog->y, dialog->cx, dialog->cy));
    ConnectTopLevelSignals(window);
    g_signal_connect(window->widget, "map", G_CALLBACK(OnDialogMapped), window);
    CreateTemplateControls(window, dialog);
    const LRESULT focusDefault = SendMessageW(window, WM_INITDIALOG, 0, param);
    if (!LiveWindow(window)) return nullptr;
    if (focusDefault) FocusFirstTabStop(window);
    if (dialog->style & WS_VISIBLE) ShowWindow(window, SW_SHOW);
    return window;
}

void SetDialogShownHook(DialogShownHook hook) {
    g_dialogShownHook = hook;
}

BOOL IsDialogMessageW(HWND dialog, MSG* msg) {
    Window* window = LiveWindow(dialog);
    if (!window || !msg || msg->message != WM_KEYDOWN) return FALSE;
    if (msg->wParam == VK_ESCAPE) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return TRUE;
    }
    if (msg->wParam != VK_RETURN) return FALSE;
    // Enter on a push button presses that button; anywhere else it is the default command.
    Window* focus = LiveWindow(GetFocus());
    const bool onButton =
        focus && focus->parent == window && focus->cls && FindWindowClass(WC_BUTTONW) == focus->cls;
    const WORD id = onButton ? static_cast<WORD>(focus->id) : static_cast<WORD>(IDOK);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(onButton ? focus : nullptr));
    return TRUE;
}
