#include "engine/ScriptErrorBox.h"

namespace {

constexpr char kTitle[] = "Script error";
constexpr char kSummary[] = "A script on this page failed.";

}  // namespace

CScriptErrorBox::~CScriptErrorBox() {
    if (!m_box) return;
    g_object_remove_weak_pointer(G_OBJECT(m_box), reinterpret_cast<gpointer*>(&m_box));
    gtk_widget_destroy(m_box);
}

void CScriptErrorBox::Show(GtkWidget* view, const std::string& details) {
    if (m_box) return;
    GtkWidget* top = gtk_widget_get_toplevel(view);
    GtkWindow* owner = gtk_widget_is_toplevel(top) ? GTK_WINDOW(top) : nullptr;
    m_box = gtk_message_dialog_new(
        owner, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
        GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, "%s", kSummary);
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(m_box), "%s", details.c_str());
    gtk_window_set_title(GTK_WINDOW(m_box), kTitle);
    g_object_add_weak_pointer(G_OBJECT(m_box), reinterpret_cast<gpointer*>(&m_box));
    g_signal_connect_swapped(m_box, "response", G_CALLBACK(gtk_widget_destroy), m_box);
    gtk_widget_show(m_box);
}
