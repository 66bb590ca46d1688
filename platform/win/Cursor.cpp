// The wait cursor, on every GdkWindow of the program's top-levels: the page's own window
// included, or the engine's cursor would show over the page.
#include "platform/win/WindowRecord.h"

namespace {

bool g_waitCursor = false;

void SetCursorTree(GdkWindow* window, GdkCursor* cursor) {
    gdk_window_set_cursor(window, cursor);
    for (GList* l = gdk_window_peek_children(window); l; l = l->next)
        SetCursorTree(GDK_WINDOW(l->data), cursor);
}

}  // namespace

void ApplyWaitCursor(Window* window) {
    GdkWindow* gdkWindow = gtk_widget_get_window(window->widget);
    if (!gdkWindow) return;
    GdkCursor* cursor = g_waitCursor
                            ? gdk_cursor_new_from_name(gdk_window_get_display(gdkWindow), "wait")
                            : nullptr;
    SetCursorTree(gdkWindow, cursor);
    if (cursor) g_object_unref(cursor);
}

void ShowWaitCursor(BOOL on) {
    g_waitCursor = on != FALSE;
    for (GList* l = gtk_window_list_toplevels(); l; l = g_list_delete_link(l, l))
        if (Window* window = WindowFromWidget(GTK_WIDGET(l->data))) ApplyWaitCursor(window);
}
