#include "support/Screenshot.h"

#include "support/MainLoop.h"

bool SaveWidgetShot(GtkWidget* widget, const std::string& name) {
    GdkWindow* window = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!window) return false;
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(window, 0, 0, gdk_window_get_width(window),
                                                 gdk_window_get_height(window));
    if (!shot) return false;
    const std::string path = TestOutputDir() + "/" + name + ".png";
    const bool saved = gdk_pixbuf_save(shot, path.c_str(), "png", nullptr, nullptr);
    g_object_unref(shot);
    return saved;
}
