// The application's message box: titled with the application's name, exclamation icon, and
// the button the user pressed as the result.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "platform/afx/MessageBox.h"
#include "platform/afx/WinApp.h"
#include "platform/win/Messages.h"

namespace {

struct Seen {
    std::string title;
    std::string text;
    GtkMessageType type = GTK_MESSAGE_OTHER;
    int response = GTK_RESPONSE_NONE;
};

// Reads the open message box and answers it, from the box's own modal loop.
gboolean AnswerBox(gpointer data) {
    auto* seen = static_cast<Seen*>(data);
    for (GList* l = gtk_window_list_toplevels(); l; l = g_list_delete_link(l, l)) {
        if (!GTK_IS_MESSAGE_DIALOG(l->data) || !gtk_widget_get_visible(GTK_WIDGET(l->data)))
            continue;
        seen->title = gtk_window_get_title(GTK_WINDOW(l->data));
        gchar* text = nullptr;
        g_object_get(l->data, "text", &text, "message-type", &seen->type, nullptr);
        seen->text = text ? text : "";
        g_free(text);
        gtk_dialog_response(GTK_DIALOG(l->data), seen->response);
        return G_SOURCE_REMOVE;
    }
    return G_SOURCE_CONTINUE;
}

}  // namespace

TEST(AfxMessageBoxTest, ShowsTheTextUnderTheApplicationNameAndReturnsTheButton) {
    CWinApp app(u"Veltrisk");
    const struct {
        UINT type;
        int response;
        int result;
    } cases[] = {{MB_OK, GTK_RESPONSE_OK, IDOK},
                 {MB_OKCANCEL, GTK_RESPONSE_OK, IDOK},
                 {MB_OKCANCEL, GTK_RESPONSE_CANCEL, IDCANCEL},
                 {MB_OKCANCEL, GTK_RESPONSE_DELETE_EVENT, IDCANCEL}};
    for (const auto& c : cases) {
        Seen seen;
        seen.response = c.response;
        g_timeout_add(20, AnswerBox, &seen);
        EXPECT_EQ(AfxMessageBox(u"Please enter bookmark name", c.type), c.result);
        EXPECT_EQ(seen.title, "Veltrisk");
        EXPECT_EQ(seen.text, "Please enter bookmark name");
        EXPECT_EQ(seen.type, GTK_MESSAGE_WARNING);
    }
}
