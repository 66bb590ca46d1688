// Host services through the real main window, site, engine and server: logging in to a
// password-protected page, and pages whose scripts fail.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "host/HostFixture.h"
#include "platform/com/TextConv.h"
#include "platform/win/WidgetWindow.h"
#include "res/ResourceIds.h"
#include "support/MainLoop.h"
#include "support/TestServer.h"

namespace {

struct Login {
    std::u16string user;
    std::u16string password;
    int button;  // IDOK or IDCANCEL
};

std::deque<Login> g_logins;
int g_promptsShown = 0;

// Types the next planned answer into the credentials dialog and presses its button.
void AnswerPrompt(HWND dialog) {
    if (!GetDlgItem(dialog, IDC_PASSWORD) || g_logins.empty()) return;
    ++g_promptsShown;
    const Login login = g_logins.front();
    g_logins.pop_front();
    SetWindowTextW(GetDlgItem(dialog, IDC_USERNAME), login.user.c_str());
    SetWindowTextW(GetDlgItem(dialog, IDC_PASSWORD), login.password.c_str());
    SendMessageW(GetDlgItem(dialog, login.button), BM_CLICK, 0, 0);
}

std::string PageTitle(CCorvaneDlg& dialog) {
    const char* title =
        webkit_web_view_get_title(WEBKIT_WEB_VIEW(GetWindowWidget(dialog.m_wndBrowser.m_hWnd)));
    return title ? title : "";
}

int MessageDialogs() {
    int count = 0;
    for (GList* l = gtk_window_list_toplevels(); l; l = g_list_delete_link(l, l))
        if (GTK_IS_MESSAGE_DIALOG(l->data) && gtk_widget_get_visible(GTK_WIDGET(l->data))) ++count;
    return count;
}

class HostEndToEndTest : public HostTest {
protected:
    void SetUp() override {
        g_logins.clear();
        g_promptsShown = 0;
        SetDialogShownHook(&AnswerPrompt);
    }
    void TearDown() override {
        SetDialogShownHook(nullptr);
        HostTest::TearDown();
    }
};

}  // namespace

TEST_F(HostEndToEndTest, CredentialsDialogLogsInOrShowsTheServersAnswer) {
    const struct Case {
        const char* name;
        std::string serverUser;
        std::vector<Login> typed;
        std::string title;  // "Secret" when let in, "Refused" for the server's 401 page
        std::vector<std::pair<std::string, std::string>> sent;
    } cases[] = {
        {"right password", "alice", {{u"alice", u"s3cret", IDOK}}, "Secret", {{"alice", "s3cret"}}},
        {"wrong then right",
         "alice",
         {{u"alice", u"wrong", IDOK}, {u"alice", u"s3cret", IDOK}},
         "Secret",
         {{"alice", "wrong"}, {"alice", "s3cret"}}},
        {"cancel", "alice", {{u"alice", u"s3cret", IDCANCEL}}, "Refused", {}},
        {"empty user name", "alice", {{u"", u"s3cret", IDOK}}, "Refused", {}},
        {"empty password", "alice", {{u"alice", u"", IDOK}}, "Refused", {}},
        {"user name of blanks", "  ", {{u"  ", u"s3cret", IDOK}}, "Secret", {{"  ", "s3cret"}}},
    };
    for (const Case& c : cases) {
        TestServer server;
        server.Handle("/secret", {200, "text/html", "<title>Secret</title>in", {}});
        server.RequireBasicAuth("/secret", c.serverUser, "s3cret", "<title>Refused</title>no");
        g_logins.assign(c.typed.begin(), c.typed.end());
        g_promptsShown = 0;
        CCorvaneDlg dialog;
        RunDialog(dialog, [&](CCorvaneDlg& dlg) {
            dlg.Navigate(Utf8ToWide(server.Url("/secret")).c_str());
            EXPECT_TRUE(RunUntil([&] { return PageTitle(dlg) == c.title; })) << c.name;
            EXPECT_EQ(g_promptsShown, static_cast<int>(c.typed.size())) << c.name;
            EXPECT_EQ(server.Logins(), c.sent) << c.name;
            EXPECT_TRUE(IsWindowEnabled(dlg.m_hWnd)) << c.name;
        });
    }
}

TEST_F(HostEndToEndTest, FailingScriptsShowNothingAndKeepRunning) {
    TestServer server;
    server.Handle("/throws", {200,
                              "text/html",
                              "<title>Throws</title><script>undefinedFunction();</script>"
                              "<script>Promise.reject(new Error('no'));"
                              "setTimeout(() => { null.x; }, 10);"
                              "setTimeout(() => fetch('/after'), 200);</script>",
                              {}});
    server.Handle("/after", {200, "text/plain", "", {}});
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        dlg.Navigate(Utf8ToWide(server.Url("/throws")).c_str());
        EXPECT_TRUE(RunUntil([&] { return server.CountRequests("/after") == 1; }));
        RunFor(300);
        EXPECT_EQ(MessageDialogs(), 0);
    });
}

TEST_F(HostEndToEndTest, PagesSeeWindowExternalAsAnObject) {
    TestServer server;
    server.Handle("/external",
                  {200,
                   "text/html",
                   "<title>x</title><script>"
                   "let calls = 'none';"
                   "try { window.external.AddFavorite('http://a', 'A'); calls = 'ran'; }"
                   "catch (e) { calls = 'threw'; }"
                   "document.title = typeof window.external + ' ' + calls;"
                   "</script>",
                   {}});
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        dlg.Navigate(Utf8ToWide(server.Url("/external")).c_str());
        // The shell's helper does nothing here, and says so with an exception.
        EXPECT_TRUE(RunUntil([&] { return PageTitle(dlg) == "object threw"; })) << PageTitle(dlg);
    });
}
