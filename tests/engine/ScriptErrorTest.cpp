// Page script errors go to the site; when it does not take them, the engine's own box shows.
// Either way the page's scripts keep running.
#include <gtk/gtk.h>

#include <string>

#include "platform/win/WidgetWindow.h"
#include "support/MainLoop.h"
#include "support/Screenshot.h"
#include "tests/engine/BrowserFixture.h"

namespace {

using ScriptErrorTest = BrowserFixture;

// Two failures, then a request the server sees only if scripts still run.
TestResponse FailingPage() {
    return {200,
            "text/html; charset=utf-8",
            "<title>Failing</title><script>"
            "setTimeout(() => { throw new Error('boom'); }, 0);"
            "setTimeout(() => Promise.reject(new Error('nope')), 50);"
            "setTimeout(() => fetch('/after'), 300);"
            "</script>",
            {}};
}

std::vector<GtkWidget*> OpenMessageBoxes() {
    std::vector<GtkWidget*> boxes;
    for (GList* l = gtk_window_list_toplevels(); l; l = g_list_delete_link(l, l)) {
        if (GTK_IS_MESSAGE_DIALOG(l->data) && gtk_widget_get_visible(GTK_WIDGET(l->data))) {
            boxes.push_back(GTK_WIDGET(l->data));
        }
    }
    return boxes;
}

std::string BoxText(GtkWidget* box) {
    g_autofree char* text = nullptr;
    g_autofree char* details = nullptr;
    g_object_get(box, "text", &text, "secondary-text", &details, nullptr);
    return std::string(text ? text : "") + "\n" + (details ? details : "");
}

TEST_F(ScriptErrorTest, SiteThatTakesTheErrorsKeepsThePageQuietAndRunning) {
    server.Handle("/failing", FailingPage());
    ASSERT_TRUE(Load(server.Url("/failing")));
    ASSERT_TRUE(RunUntil([&] { return server.CountRequests("/after") == 1; }));
    RunFor(200);

    EXPECT_EQ(site->Count("Exec 40"), 2);
    ASSERT_EQ(site->scriptErrors.size(), 2u);
    const std::string first = Utf8(site->scriptErrors[0]);
    EXPECT_NE(first.find("boom"), std::string::npos) << first;
    EXPECT_NE(first.find(server.Url("/failing") + ", line 1"), std::string::npos) << first;
    const std::string second = Utf8(site->scriptErrors[1]);
    EXPECT_NE(second.find("Unhandled promise rejection: Error: nope"), std::string::npos) << second;
    EXPECT_TRUE(OpenMessageBoxes().empty());
}

struct UntakenCase {
    const char* name;
    bool siteGiven;
    bool answersCommandTarget;
    HRESULT result;
    VARIANT_BOOL answer;
};

TEST_F(ScriptErrorTest, EngineShowsItsOwnBoxWhenTheSiteDoesNotTakeTheError) {
    server.Handle("/failing", FailingPage());
    const UntakenCase cases[] = {
        {"answer VARIANT_FALSE", true, true, S_OK, VARIANT_FALSE},
        {"command unknown", true, true, OLECMDERR_E_UNKNOWNGROUP, VARIANT_TRUE},
        {"no command target", true, false, S_OK, VARIANT_TRUE},
        {"no site", false, true, S_OK, VARIANT_TRUE},
    };
    for (const UntakenCase& c : cases) {
        SCOPED_TRACE(c.name);
        site->answersCommandTarget = c.answersCommandTarget;
        site->execResult = c.result;
        site->execAnswer = c.answer;
        if (!c.siteGiven) {
            ASSERT_EQ(control->SetClientSite(nullptr), S_OK);
        }
        const std::size_t requests = server.CountRequests("/after");
        ASSERT_TRUE(Load(server.Url("/failing")));
        ASSERT_TRUE(RunUntil([&] { return server.CountRequests("/after") > requests; }));
        RunFor(200);

        // The second error came while the box was open: still one box.
        const std::vector<GtkWidget*> boxes = OpenMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        GtkWindow* box = GTK_WINDOW(boxes[0]);
        const std::string text = BoxText(boxes[0]);
        EXPECT_NE(text.find("boom"), std::string::npos) << text;
        EXPECT_NE(text.find(server.Url("/failing")), std::string::npos) << text;
        EXPECT_TRUE(gtk_window_get_modal(box));
        EXPECT_EQ(GTK_WIDGET(gtk_window_get_transient_for(box)), GetWindowWidget(parent));
        SaveWidgetShot(boxes[0], "engine-script-error-box");

        gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
        EXPECT_TRUE(RunUntil([] { return OpenMessageBoxes().empty(); }));
    }
}

}  // namespace
