// Buttons, edit fields and static texts.
#include "platform/com/TextConv.h"
#include "platform/win/Controls.h"

namespace {

std::string ButtonText(GtkWidget* w) {
    const char* label = gtk_button_get_label(GTK_BUTTON(w));
    return label ? label : "";
}
void SetButtonText(GtkWidget* w, const char* t) {
    gtk_button_set_label(GTK_BUTTON(w), t);
}
std::string EntryText(GtkWidget* w) {
    return gtk_entry_get_text(GTK_ENTRY(w));
}
void SetEntryText(GtkWidget* w, const char* t) {
    gtk_entry_set_text(GTK_ENTRY(w), t);
}
std::string LabelText(GtkWidget* w) {
    return gtk_label_get_text(GTK_LABEL(w));
}
void SetLabelText(GtkWidget* w, const char* t) {
    gtk_label_set_text(GTK_LABEL(w), t);
}

void OnButtonClicked(GtkButton*, gpointer data) {
    auto* window = static_cast<Window*>(data);
    SendMessageW(window->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(window->id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
}

GtkWidget* CreateButton(Window* window, LPCWSTR text) {
    GtkWidget* button = gtk_button_new_with_label(WideToUtf8(text).c_str());
    if (window->style & BS_DEFPUSHBUTTON)
        gtk_style_context_add_class(gtk_widget_get_style_context(button), "suggested-action");
    g_signal_connect(button, "clicked", G_CALLBACK(OnButtonClicked), window);
    return button;
}

GtkWidget* CreateEdit(Window* window, LPCWSTR text) {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(entry), WideToUtf8(text).c_str());
    gtk_entry_set_has_frame(GTK_ENTRY(entry), (window->style & WS_BORDER) != 0);
    gtk_entry_set_visibility(GTK_ENTRY(entry), (window->style & ES_PASSWORD) == 0);
    return entry;
}

GtkWidget* CreateStatic(Window*, LPCWSTR text) {
    GtkWidget* label = gtk_label_new(WideToUtf8(text).c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    return label;
}

LRESULT ButtonProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m != BM_CLICK) return HandleTextMessage(w, m, wp, lp, ButtonText, SetButtonText);
    if (gtk_widget_is_sensitive(w->widget)) gtk_button_clicked(GTK_BUTTON(w->widget));
    return 0;
}
LRESULT EditProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return HandleTextMessage(w, m, wp, lp, EntryText, SetEntryText);
}
LRESULT StaticProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return HandleTextMessage(w, m, wp, lp, LabelText, SetLabelText);
}

}  // namespace

const WindowClass kButtonClass{WC_BUTTONW, CreateButton, ButtonProc};
const WindowClass kEditClass{WC_EDITW, CreateEdit, EditProc};
const WindowClass kStaticClass{WC_STATICW, CreateStatic, StaticProc};
