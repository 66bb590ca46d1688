// The rebar: a horizontal band holding a label and one child window.
#include "platform/com/TextConv.h"
#include "platform/win/CommonControls.h"
#include "platform/win/Controls.h"

namespace {

// A GTK 3 entry is 34 px high in the default theme; without vertical padding and minimum
// heights the band's controls fit a 27 px bar.
constexpr char kBandCss[] =
    ".veltrisk-rebar entry, .veltrisk-rebar button, .veltrisk-rebar combobox,"
    ".veltrisk-rebar combobox box { min-height: 0; padding-top: 0; padding-bottom: 0;"
    "margin-top: 0; margin-bottom: 0; }"
    ".veltrisk-rebar { border-bottom: 1px solid alpha(black, 0.2); padding: 1px 2px; }"
    ".veltrisk-rebar label { padding: 0 4px; }";

void AddBandStyle(GtkWidget* box) {
    static GtkCssProvider* provider = [] {
        GtkCssProvider* p = gtk_css_provider_new();
        gtk_css_provider_load_from_data(p, kBandCss, -1, nullptr);
        return p;
    }();
    gtk_style_context_add_class(gtk_widget_get_style_context(box), "veltrisk-rebar");
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

GtkWidget* CreateReBar(Window*, LPCWSTR) {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    AddBandStyle(box);
    return box;
}

// The child leaves its parent's client area for the band, which lays it out from now on.
LRESULT InsertBand(Window* rebar, const REBARBANDINFOW* band) {
    if (!band) return FALSE;
    if ((band->fMask & RBBIM_TEXT) && band->lpText && *band->lpText) {
        GtkWidget* label = gtk_label_new(WideToUtf8(band->lpText).c_str());
        gtk_box_pack_start(GTK_BOX(rebar->widget), label, FALSE, FALSE, 0);
        gtk_widget_show(label);
    }
    Window* child = (band->fMask & RBBIM_CHILD) ? LiveWindow(band->hwndChild) : nullptr;
    if (!child) return TRUE;
    g_object_ref(child->widget);
    if (GtkWidget* old = gtk_widget_get_parent(child->widget))
        gtk_container_remove(GTK_CONTAINER(old), child->widget);
    gtk_widget_set_size_request(child->widget, -1, -1);
    gtk_widget_set_child_visible(child->widget, TRUE);
    gtk_widget_set_valign(child->widget, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(rebar->widget), child->widget, TRUE, TRUE, 0);
    g_object_unref(child->widget);
    return TRUE;
}

LRESULT ReBarProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(handle);
    if (window && message == RB_INSERTBANDW)
        return InsertBand(window, reinterpret_cast<const REBARBANDINFOW*>(lParam));
    return DefWindowProcW(handle, message, wParam, lParam);
}

}  // namespace

const WindowClass kReBarClass{REBARCLASSNAMEW, CreateReBar, ReBarProc};
