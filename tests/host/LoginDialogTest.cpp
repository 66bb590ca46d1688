// The credentials prompt as a user meets it: the real dialog, filled and closed through the
// platform's dialog hook, and what the engine gets back from Authenticate.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "host/HostFixture.h"
#include "host/TaskMemRecorder.h"
#include "platform/com/TaskMem.h"
#include "platform/com/TextConv.h"
#include "platform/win/WidgetWindow.h"
#include "res/ResourceIds.h"
#include "support/MainLoop.h"
#include "support/Screenshot.h"

namespace {

enum class Press { Ok, Cancel, Escape, CloseBox };

struct Typing {
    std::u16string user;
    std::u16string password;
    Press press;
};

// The dialog as it opened.
struct Seen {
    bool shown = false;
    std::u16string user = u"(unread)";
    std::u16string password = u"(unread)";
    bool masked = false;
    bool focusOnOk = false;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    bool transientForOwner = false;
};

struct Answer {
    HRESULT result = S_OK;
    HWND window = reinterpret_cast<HWND>(0x1);
    LPWSTR user = reinterpret_cast<LPWSTR>(0x1);
    LPWSTR password = reinterpret_cast<LPWSTR>(0x1);
    TaskMemLog log;
    Seen seen;
    bool abandoned = false;  // the watchdog had to close the prompt
};

constexpr char kTitle[] = "Basic Authentication";

std::function<void(HWND)> g_onLoginShown;

void OnDialogShown(HWND dialog) {
    if (g_onLoginShown && GetDlgItem(dialog, IDC_PASSWORD)) g_onLoginShown(dialog);
}

std::u16string ControlText(HWND dialog, int id) {
    return CWnd::GetWindowText(GetDlgItem(dialog, id)).Str();
}

GtkWidget* Widget(HWND dialog, int id) {
    return GetWindowWidget(GetDlgItem(dialog, id));
}

Seen Observe(HWND dialog) {
    Seen seen;
    seen.shown = true;
    seen.user = ControlText(dialog, IDC_USERNAME);
    seen.password = ControlText(dialog, IDC_PASSWORD);
    seen.masked = !gtk_entry_get_visibility(GTK_ENTRY(Widget(dialog, IDC_PASSWORD)));
    GtkWindow* window = GTK_WINDOW(GetWindowWidget(dialog));
    seen.focusOnOk = gtk_window_get_focus(window) == Widget(dialog, IDOK);
    seen.owner = GetParent(dialog);
    seen.ownerEnabled = IsWindowEnabled(seen.owner) != FALSE;
    seen.transientForOwner = seen.owner && GTK_WIDGET(gtk_window_get_transient_for(window)) ==
                                               GetWindowWidget(seen.owner);
    return seen;
}

void SaveShot(HWND window, const std::string& name) {
    RunFor(300);
    EXPECT_TRUE(SaveWidgetShot(GetWindowWidget(window), name)) << name;
}

// Closes a prompt the hook failed to drive, so that a broken test still ends.
class Watchdog {
public:
    Watchdog() : m_source(g_timeout_add(15000, &CloseLeftPrompts, nullptr)) { s_fired = false; }
    ~Watchdog() {
        if (GSource* source = g_main_context_find_source_by_id(nullptr, m_source))
            g_source_destroy(source);
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    bool Fired() const { return s_fired; }

private:
    static gboolean CloseLeftPrompts(gpointer) {
        s_fired = true;
        for (GList* l = gtk_window_list_toplevels(); l; l = g_list_delete_link(l, l))
            if (const char* title = gtk_window_get_title(GTK_WINDOW(l->data));
                title && std::strcmp(title, kTitle) == 0)
                gtk_window_close(GTK_WINDOW(l->data));
        return G_SOURCE_REMOVE;
    }
    static inline bool s_fired = false;
    guint m_source;
};

class LoginTest : public HostTest {
protected:
    void SetUp() override { SetDialogShownHook(&OnDialogShown); }
    void TearDown() override {
        SetDialogShownHook(nullptr);
        HostTest::TearDown();
    }

    // Runs Authenticate with the user typing and pressing as given; failRequest fails that
    // task allocation.
    Answer Ask(const Typing& typing, int failRequest = -1, const char* screenshot = nullptr) {
        Answer answer;
        g_onLoginShown = [&](HWND dialog) {
            answer.seen = Observe(dialog);
            SetWindowTextW(GetDlgItem(dialog, IDC_USERNAME), typing.user.c_str());
            SetWindowTextW(GetDlgItem(dialog, IDC_PASSWORD), typing.password.c_str());
            if (screenshot) SaveShot(dialog, screenshot);
            Close(dialog, typing.press);
        };
        Watchdog watchdog;
        StartTaskMemLog(failRequest);
        answer.result = m_site->Authenticate(&answer.window, &answer.user, &answer.password);
        answer.log = StopTaskMemLog();
        answer.abandoned = watchdog.Fired();
        g_onLoginShown = nullptr;
        return answer;
    }

    static void Close(HWND dialog, Press press) {
        switch (press) {
            case Press::Ok:
                SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                break;
            case Press::Cancel:
                SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                break;
            case Press::Escape: {
                SetActiveWindow(dialog);
                GtkWindow* window = GTK_WINDOW(GetWindowWidget(dialog));
                ASSERT_TRUE(RunUntil([&] { return gtk_window_is_active(window) != FALSE; }, 5000));
                PressKey("Escape");
                break;
            }
            case Press::CloseBox:
                gtk_window_close(GTK_WINDOW(GetWindowWidget(dialog)));
                break;
        }
    }

    static void Free(Answer& answer) {
        if (SUCCEEDED(answer.result)) {
            CoTaskMemFree(answer.user);
            CoTaskMemFree(answer.password);
        }
    }

    TestSite m_site;
};

std::size_t BufferBytes(const std::u16string& text) {
    return (text.size() + 1) * sizeof(char16_t);
}

}  // namespace

TEST_F(LoginTest, HandsOverExactlyWhatWasTypedOrNothing) {
    const struct {
        const char* what;
        Typing typing;
        HRESULT result;
    } cases[] = {
        {"OK with both filled", {u"alice", u"s3cret", Press::Ok}, S_OK},
        {"OK with the password empty", {u"alice", u"", Press::Ok}, E_FAIL},
        {"OK with the user name empty", {u"", u"s3cret", Press::Ok}, E_FAIL},
        {"OK with both empty", {u"", u"", Press::Ok}, E_FAIL},
        {"Cancel", {u"alice", u"s3cret", Press::Cancel}, E_FAIL},
        {"Esc", {u"alice", u"s3cret", Press::Escape}, E_FAIL},
        {"close box", {u"alice", u"s3cret", Press::CloseBox}, E_FAIL},
        {"a user name of blanks", {u"   ", u"pw", Press::Ok}, S_OK},
        {"text beyond ASCII", {u"zo\u00EB\U0001F600", u"p\u00E4ss w\u00F6rd", Press::Ok}, S_OK},
    };
    bool first = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Answer answer = Ask(c.typing, -1, first ? "credentials-dialog" : nullptr);
        first = false;
        // Every request opens an empty prompt, masked, with the focus on OK.
        ASSERT_TRUE(answer.seen.shown);
        EXPECT_FALSE(answer.abandoned);
        EXPECT_EQ(answer.seen.user, u"");
        EXPECT_EQ(answer.seen.password, u"");
        EXPECT_TRUE(answer.seen.masked);
        EXPECT_TRUE(answer.seen.focusOnOk);

        EXPECT_EQ(answer.result, c.result);
        EXPECT_EQ(answer.window, nullptr);
        if (c.result == S_OK) {
            ASSERT_NE(answer.user, nullptr);
            ASSERT_NE(answer.password, nullptr);
            EXPECT_EQ(std::u16string(answer.user), c.typing.user);
            EXPECT_EQ(std::u16string(answer.password), c.typing.password);
            EXPECT_EQ(answer.log.requested,
                      (std::vector<std::size_t>{BufferBytes(c.typing.user),
                                                BufferBytes(c.typing.password)}));
            EXPECT_TRUE(answer.log.freed.empty());
        } else {
            EXPECT_EQ(answer.user, nullptr);
            EXPECT_EQ(answer.password, nullptr);
            EXPECT_TRUE(answer.log.requested.empty());
        }
        Free(answer);
    }
}

TEST_F(LoginTest, NoHalfAnswerWhenABufferCannotBeAllocated) {
    for (int failRequest : {0, 1}) {
        SCOPED_TRACE(failRequest == 0 ? "user name buffer fails" : "password buffer fails");
        Answer answer = Ask({u"alice", u"s3cret", Press::Ok}, failRequest);
        ASSERT_TRUE(answer.seen.shown);
        EXPECT_EQ(answer.result, E_FAIL);
        EXPECT_EQ(answer.window, nullptr);
        EXPECT_EQ(answer.user, nullptr);
        EXPECT_EQ(answer.password, nullptr);
        EXPECT_GT(answer.log.requested.size(), static_cast<std::size_t>(failRequest));
        for (void* block : answer.log.allocated)
            EXPECT_EQ(std::count(answer.log.freed.begin(), answer.log.freed.end(), block), 1);
    }
}

TEST_F(LoginTest, MissingSlotsAreRefusedWithoutAPrompt) {
    HWND window = reinterpret_cast<HWND>(0x1);
    LPWSTR user = reinterpret_cast<LPWSTR>(0x1);
    LPWSTR password = reinterpret_cast<LPWSTR>(0x1);
    bool shown = false;
    g_onLoginShown = [&](HWND dialog) {
        shown = true;
        Close(dialog, Press::Cancel);
    };
    Watchdog watchdog;
    EXPECT_EQ(m_site->Authenticate(&window, nullptr, &password), E_POINTER);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(password, nullptr);
    EXPECT_EQ(m_site->Authenticate(nullptr, &user, nullptr), E_POINTER);
    EXPECT_EQ(user, nullptr);
    EXPECT_FALSE(shown);

    // With only the window slot left out, the prompt still runs.
    Answer answer;
    g_onLoginShown = [&](HWND dialog) {
        shown = true;
        SetWindowTextW(GetDlgItem(dialog, IDC_USERNAME), u"alice");
        SetWindowTextW(GetDlgItem(dialog, IDC_PASSWORD), u"s3cret");
        Close(dialog, Press::Ok);
    };
    answer.result = m_site->Authenticate(nullptr, &answer.user, &answer.password);
    g_onLoginShown = nullptr;
    EXPECT_TRUE(shown);
    EXPECT_EQ(answer.result, S_OK);
    Free(answer);
}

// With no parent given, the owner is the window of the main window's family used last.
TEST_F(LoginTest, PromptIsOwnedByTheLastActiveWindowWhichItDisables) {
    CCorvaneDlg main;
    RunDialog(main, [&](CCorvaneDlg& dlg) {
        Answer answer = Ask({u"alice", u"s3cret", Press::Ok});
        EXPECT_EQ(answer.result, S_OK);
        EXPECT_EQ(answer.seen.owner, dlg.m_hWnd);
        EXPECT_FALSE(answer.seen.ownerEnabled);
        EXPECT_TRUE(answer.seen.transientForOwner);
        EXPECT_TRUE(IsWindowEnabled(dlg.m_hWnd));
        Free(answer);

        CDialog owned(IDD_POPUP_DIALOG);
        ASSERT_TRUE(owned.Create(IDD_POPUP_DIALOG, &dlg));
        owned.ShowWindow(SW_SHOW);
        SetActiveWindow(owned.m_hWnd);
        answer = Ask({u"alice", u"s3cret", Press::Cancel});
        EXPECT_EQ(answer.result, E_FAIL);
        EXPECT_EQ(answer.seen.owner, owned.m_hWnd);
        EXPECT_FALSE(answer.seen.ownerEnabled);
        EXPECT_TRUE(IsWindowEnabled(owned.m_hWnd));
        owned.DestroyWindow();
    });
}
