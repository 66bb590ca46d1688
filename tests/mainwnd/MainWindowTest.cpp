// The main window as a user meets it: caption, icon, menu, address band, first page.
#include <gtk/gtk.h>

#include "mainwnd/MainWindowFixture.h"
#include "platform/com/TextConv.h"
#include "platform/win/WidgetWindow.h"
#include "res/ResourceIds.h"
#include "support/MainLoop.h"
#include "support/TestServer.h"

namespace {

std::string BlankPageUrl() {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return "res://" + WideToUtf8(path) + "/104";
}

int AllocatedHeight(HWND window) {
    return gtk_widget_get_allocated_height(GetWindowWidget(window));
}

}  // namespace

TEST_F(MainWindowTest, OpensWithCaptionIconMenuAndBlankPage) {
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        ASSERT_TRUE(WaitForLocation(dlg, BlankPageUrl()));
        GtkWindow* window = GTK_WINDOW(TopLevel(dlg));
        EXPECT_STREQ(gtk_window_get_title(window), "Veltrisk");
        EXPECT_FALSE(gtk_window_get_skip_taskbar_hint(window));
        EXPECT_TRUE(gtk_window_get_resizable(window));

        ASSERT_NE(dlg.m_hIcon, nullptr);
        EXPECT_EQ(dlg.SendMessage(WM_GETICON, ICON_BIG), reinterpret_cast<LRESULT>(dlg.m_hIcon));
        EXPECT_EQ(dlg.SendMessage(WM_GETICON, ICON_SMALL), reinterpret_cast<LRESULT>(dlg.m_hIcon));
        EXPECT_NE(gtk_window_get_icon_list(window), nullptr);

        HMENU bar = GetMenu(dlg.m_hWnd);
        ASSERT_EQ(GetMenuItemCount(bar), 1);
        WCHAR text[64] = {};
        GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION);
        EXPECT_EQ(WideToUtf8(text), "File");
        const struct {
            const char* text;
            UINT id;
        } expected[] = {{"Internet options", 32774},
                        {"Add to bookmarks", 32771},
                        {"Bookmarks...", 32772},
                        {"Exit", 32773}};
        HMENU file = GetSubMenu(bar, 0);
        ASSERT_EQ(GetMenuItemCount(file), 4);
        for (int i = 0; i < 4; ++i) {
            GetMenuStringW(file, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            EXPECT_EQ(WideToUtf8(text), expected[i].text);
            EXPECT_EQ(GetMenuItemID(file, i), expected[i].id);
        }
        SaveScreenshot(dlg, "main-window");
    });
}

TEST_F(MainWindowTest, WaitCursorLastsUntilTheFirstDocumentCompletes) {
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        GdkWindow* window = gtk_widget_get_window(TopLevel(dlg));
        ASSERT_TRUE(WaitForLocation(dlg, BlankPageUrl()));
        EXPECT_TRUE(RunUntil([&] { return gdk_window_get_cursor(window) == nullptr; }));
    });
}

TEST_F(MainWindowTest, AddressBandStaysTwentySevenPixelsAcrossTheWidth) {
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        GtkWindow* window = GTK_WINDOW(TopLevel(dlg));
        const struct {
            int width, height;
            bool maximize;
        } sizes[] = {{900, 600, false}, {500, 300, false}, {0, 0, true}, {700, 400, false}};
        for (const auto& size : sizes) {
            if (size.maximize) {
                gtk_window_maximize(window);
            } else {
                gtk_window_unmaximize(window);
                gtk_window_resize(window, size.width, size.height);
            }
            RunFor(400);
            RECT client{};
            dlg.GetClientRect(&client);
            GtkAllocation layout{};
            gtk_widget_get_allocation(gtk_widget_get_parent(GetWindowWidget(dlg.m_wndReBar.m_hWnd)),
                                      &layout);
            EXPECT_EQ(client.right, layout.width);
            EXPECT_EQ(client.bottom, layout.height);
            EXPECT_EQ(AllocatedHeight(dlg.m_wndReBar.m_hWnd), 27);
            EXPECT_EQ(gtk_widget_get_allocated_width(GetWindowWidget(dlg.m_wndReBar.m_hWnd)),
                      client.right);
            RECT browser{}, band{};
            GetWindowRect(dlg.m_wndBrowser.m_hWnd, &browser);
            GetWindowRect(dlg.m_wndReBar.m_hWnd, &band);
            EXPECT_EQ(browser.top - band.top, 27);
            EXPECT_EQ(browser.right - browser.left, client.right);
            EXPECT_EQ(browser.bottom - browser.top, client.bottom - 27);
            EXPECT_EQ(AllocatedHeight(dlg.m_wndBrowser.m_hWnd), client.bottom - 27);
        }
    });
}

TEST_F(MainWindowTest, StartAddressReplacesTheBlankPage) {
    TestServer server;
    server.Handle("/start", {200, "text/html", "<title>Start</title><p>start page</p>", {}});
    const std::u16string address = Utf8ToWide(server.HostAndPort() + "/start");
    CCorvaneDlg dialog;
    dialog.m_pszStartUrl = address.c_str();
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        EXPECT_TRUE(WaitForLocation(dlg, server.Url("/start")));
        EXPECT_EQ(server.CountRequests("/start"), 1u);
    });
}

TEST_F(MainWindowTest, EnterAndEscapeNeverCloseTheWindow) {
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        ASSERT_TRUE(WaitForLocation(dlg, BlankPageUrl()));
        SetFocus(dlg.m_wndBrowser.m_hWnd);
        for (const char* key : {"Return", "Escape"}) {
            PressKey(key);
            EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd)) << key;
        }
        SetAddressText(dlg, u"");
        for (const char* key : {"Escape", "Return"}) {
            PressKey(key);
            EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd)) << key;
        }
    });
    EXPECT_FALSE(IsWindow(dialog.m_hWnd));
}

TEST_F(MainWindowTest, CloseBoxEndsTheDialogWithZero) {
    CCorvaneDlg dialog;
    INT_PTR result = -1;
    m_app.m_pMainWnd = &dialog;
    g_idle_add(
        [](gpointer data) {
            auto* dlg = static_cast<CCorvaneDlg*>(data);
            GdkEvent* event = gdk_event_new(GDK_DELETE);
            event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(TopLevel(*dlg))));
            gtk_main_do_event(event);
            gdk_event_free(event);
            return G_SOURCE_REMOVE;
        },
        &dialog);
    result = dialog.DoModal();
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(IsWindow(dialog.m_hWnd));
}
