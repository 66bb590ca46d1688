// The site's say on the page's look and input: host flags, the context menu and keys.
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "platform/win/WidgetWindow.h"
#include "support/MainLoop.h"
#include "tests/engine/BrowserFixture.h"

namespace {

using HostUiTest = BrowserFixture;

TestResponse Page(const std::string& title, const std::string& body) {
    return {
        200, "text/html; charset=utf-8", "<!doctype html><title>" + title + "</title>" + body, {}};
}

// WebKit's context menu: a GtkMenu in a pop-up window of its own.
GtkMenuShell* OpenMenu() {
    GtkMenuShell* found = nullptr;
    for (GList* l = gtk_window_list_toplevels(); l; l = g_list_delete_link(l, l)) {
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(l->data));
        if (!found && gtk_widget_get_visible(GTK_WIDGET(l->data)) && child && GTK_IS_MENU(child)) {
            found = GTK_MENU_SHELL(child);
        }
    }
    return found;
}

std::string Xdotool(const std::string& arguments) {
    return "xdotool " + arguments;
}

std::string MouseTo(POINT p) {
    return "mousemove " + std::to_string(p.x) + " " + std::to_string(p.y);
}

struct ScrollCase {
    const char* name;
    bool siteGiven;
    bool answersHandler;
    DWORD flags;
    bool scrollBars;
};

TEST_F(HostUiTest, HostFlagsAskedForEachDocumentDecideItsScrollBars) {
    server.Handle("/long", Page("Long", "<div style='height:5000px'>long</div>"));
    int askedAtCommit = -1;
    sink->onEvent = [&](const BrowserEvent& e) {
        if (e.id == DISPID_NAVIGATECOMPLETE2) askedAtCommit = site->Count("GetHostInfo");
    };
    const ScrollCase cases[] = {
        {"the program's flags", true, true, DOCHOSTUIFLAG_NO3DBORDER, true},
        {"SCROLL_NO", true, true, DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO, false},
        {"no UI handler", true, false, DOCHOSTUIFLAG_SCROLL_NO, true},
        {"SCROLL_NO again", true, true, DOCHOSTUIFLAG_SCROLL_NO, false},
        {"no site", false, true, DOCHOSTUIFLAG_SCROLL_NO, true},
    };
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(c.name);
        site->hostFlags = c.flags;
        site->answersHandler = c.answersHandler;
        if (!c.siteGiven) {
            ASSERT_EQ(control->SetClientSite(nullptr), S_OK);
        }
        const int asked = site->Count("GetHostInfo");
        ASSERT_TRUE(Load(server.Url("/long")));
        if (c.siteGiven && c.answersHandler) {
            EXPECT_EQ(askedAtCommit, asked + 1);
            EXPECT_EQ(site->hostInfoSizes.back(), sizeof(DOCHOSTUIINFO));
        } else {
            EXPECT_EQ(site->Count("GetHostInfo"), asked);
        }
        const int scrollBarWidth =
            std::stoi(Evaluate("innerWidth - document.documentElement.clientWidth"));
        if (c.scrollBars) {
            EXPECT_GT(scrollBarWidth, 0);
        } else {
            EXPECT_EQ(scrollBarWidth, 0);
        }
        RunFor(200);
        SaveScreenshot(std::string("engine-scroll-") + (c.scrollBars ? "bars" : "none"));
    }
}

struct MenuCase {
    HRESULT answer;
    bool webKitMenu;
};

TEST_F(HostUiTest, ContextMenuIsTheHostsWhenItAnswersSOk) {
    server.Handle("/menu", Page("Menu", "<p>right-click here</p>"));
    ASSERT_TRUE(Load(server.Url("/menu")));
    const POINT origin = ViewOrigin();
    const POINT click{origin.x + 40, origin.y + 60};
    for (const MenuCase& c : {MenuCase{S_OK, false}, MenuCase{S_FALSE, true}}) {
        SCOPED_TRACE(c.answer);
        site->contextMenuResult = c.answer;
        site->menuPoints.clear();
        RunTool(Xdotool(MouseTo(click) + " click 3"));
        ASSERT_TRUE(RunUntil([&] { return !site->menuPoints.empty(); }));
        EXPECT_EQ(site->menuPoints.size(), 1u);
        EXPECT_EQ(site->menuPoints[0].x, click.x);
        EXPECT_EQ(site->menuPoints[0].y, click.y);
        if (!c.webKitMenu) {
            RunFor(500);
            EXPECT_FALSE(OpenMenu());
            continue;
        }
        ASSERT_TRUE(RunUntil([] { return OpenMenu() != nullptr; }));
        gtk_menu_shell_cancel(OpenMenu());
        EXPECT_TRUE(RunUntil([] { return OpenMenu() == nullptr; }));
    }
}

TEST_F(HostUiTest, KeysInThePageAreOfferedToTheHostFirst) {
    // Keys the page leaves alone come back from WebKit to GTK: each is still offered once.
    server.Handle("/keys", Page("Keys",
                                "<script>window.keys = '';"
                                "addEventListener('keydown', e => keys += e.key);</script>"));
    ASSERT_TRUE(Load(server.Url("/keys")));
    gtk_window_present(GTK_WINDOW(GetWindowWidget(parent)));
    gtk_widget_grab_focus(GTK_WIDGET(View()));
    RunFor(200);
    site->consumedKeys = {'X'};
    const POINT origin = ViewOrigin();
    RunTool(Xdotool(MouseTo({origin.x + 20, origin.y + 20}) + " key --clearmodifiers x y"));
    ASSERT_TRUE(RunUntil([&] { return site->keys.size() >= 2; }));
    RunFor(300);

    std::vector<WPARAM> offered;
    for (const MSG& m : site->keys) {
        EXPECT_EQ(m.message, WM_KEYDOWN);
        EXPECT_EQ(m.hwnd, window);
        offered.push_back(m.wParam);
    }
    EXPECT_EQ(offered, (std::vector<WPARAM>{'X', 'Y'}));
    EXPECT_EQ(Evaluate("keys"), "y");
}

}  // namespace
