// Typing addresses, the history of the last 7, and the box following the browser.
#include <webkit2/webkit2.h>

#include <string>
#include <vector>

#include "mainwnd/MainWindowFixture.h"
#include "platform/com/TextConv.h"
#include "platform/win/CommonControls.h"
#include "platform/win/WidgetWindow.h"
#include "support/MainLoop.h"
#include "support/TestServer.h"

namespace {

std::vector<std::string> History(CCorvaneDlg& dialog) {
    std::vector<std::string> items;
    const auto count = static_cast<int>(dialog.m_wndAddress.SendMessage(CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        std::u16string text(8192, u'\0');
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        dialog.m_wndAddress.SendMessage(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        items.push_back(WideToUtf8(text.c_str()));
    }
    return items;
}

WebKitWebView* View(CCorvaneDlg& dialog) {
    return WEBKIT_WEB_VIEW(GetWindowWidget(dialog.m_wndBrowser.m_hWnd));
}

}  // namespace

TEST_F(MainWindowTest, HistoryKeepsTheLastSevenDistinctAddressesNewestFirst) {
    TestServer server;
    const std::string base = server.HostAndPort();
    const std::string longPath = "/" + std::string(2100, 'x');
    const std::string longAddress = base + longPath;
    for (const char* path :
         {"/a", "/b", "/c", "/A", "/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"})
        server.Handle(path, {200, "text/html", "<title>t</title>", {}});
    server.Handle(longPath, {200, "text/html", "<title>t</title>", {}});
    const auto at = [&](const char* path) { return base + path; };

    const struct Case {
        const char* name;
        std::vector<std::string> typed;
        std::vector<std::string> expected;
    } cases[] = {
        {"empty box", {""}, {}},
        {"first item again", {at("/a"), at("/a")}, {at("/a")}},
        {"third item moves up",
         {at("/a"), at("/b"), at("/c"), at("/a")},
         {at("/a"), at("/c"), at("/b")}},
        {"eight addresses keep seven",
         {at("/1"), at("/2"), at("/3"), at("/4"), at("/5"), at("/6"), at("/7"), at("/8")},
         {at("/8"), at("/7"), at("/6"), at("/5"), at("/4"), at("/3"), at("/2")}},
        {"letter case differs", {at("/A"), at("/a")}, {at("/a"), at("/A")}},
        {"2048 and more characters", {longAddress, longAddress}, {longAddress, longAddress}},
    };
    for (const Case& c : cases) {
        CCorvaneDlg dialog;
        RunDialog(dialog, [&](CCorvaneDlg& dlg) {
            for (const std::string& text : c.typed) {
                SetAddressText(dlg, Utf8ToWide(text));
                dlg.NavigateFromAddressBox();
                if (!text.empty()) {
                    EXPECT_TRUE(WaitForLocation(dlg, "http://" + text)) << c.name;
                }
            }
            EXPECT_EQ(History(dlg), c.expected) << c.name;
        });
    }
}

TEST_F(MainWindowTest, EnterInTheAddressBoxLoadsTheTextAsTyped) {
    TestServer server;
    server.Handle("/typed", {200, "text/html", "<title>Typed</title>", {}});
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        SetAddressText(dlg, Utf8ToWide(server.HostAndPort() + "/typed"));
        PressKey("Return");
        EXPECT_TRUE(WaitForLocation(dlg, server.Url("/typed")));
        EXPECT_EQ(History(dlg), std::vector<std::string>{server.HostAndPort() + "/typed"});
        EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
    });
}

TEST_F(MainWindowTest, AddressBoxFollowsRedirectsAndLinks) {
    TestServer server;
    server.Handle("/old", {302, "text/html", "", {{"Location", "/new"}}});
    server.Handle("/new",
                  {200, "text/html", "<title>New</title><a id=l href='/linked'>go</a>", {}});
    server.Handle("/linked", {200, "text/html", "<title>Linked</title>", {}});
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        dlg.Navigate(Utf8ToWide(server.Url("/old")).c_str());
        EXPECT_TRUE(WaitForLocation(dlg, server.Url("/new")));
        webkit_web_view_evaluate_javascript(View(dlg), "document.getElementById('l').click()", -1,
                                            nullptr, nullptr, nullptr, nullptr, nullptr);
        EXPECT_TRUE(WaitForLocation(dlg, server.Url("/linked")));
        EXPECT_TRUE(History(dlg).empty());
    });
}

TEST_F(MainWindowTest, EveryCompletedDocumentIsZoomedToTheDisplay) {
    TestServer server;
    server.Handle("/page", {200, "text/html", "<title>Zoom</title><p>text</p>", {}});
    GdkScreen* screen = gdk_screen_get_default();
    const double saved = gdk_screen_get_resolution(screen);
    // WebKit already scales by dpi / 96, so the zoom level that shows a page at n % is
    // n / 100 x 96 / dpi: 1.0 where the table matches the screen, smaller at 168 dpi (100 %).
    const struct {
        double dpi;
        double level;
    } cases[] = {{96, 1.0}, {144, 1.0}, {168, 96.0 / 168.0}};
    for (const auto& c : cases) {
        gdk_screen_set_resolution(screen, c.dpi);
        CCorvaneDlg dialog;
        RunDialog(dialog, [&](CCorvaneDlg& dlg) {
            webkit_web_view_set_zoom_level(View(dlg), 0.3);
            dlg.Navigate(Utf8ToWide(server.Url("/page")).c_str());
            ASSERT_TRUE(WaitForLocation(dlg, server.Url("/page")));
            EXPECT_TRUE(RunUntil([&] {
                return std::abs(webkit_web_view_get_zoom_level(View(dlg)) - c.level) < 1e-6;
            })) << c.dpi
                << " dpi: " << webkit_web_view_get_zoom_level(View(dlg));
        });
    }
    gdk_screen_set_resolution(screen, saved);
}

TEST_F(MainWindowTest, EnterAndEscapeInAPageStayInThePage) {
    TestServer server;
    server.Handle("/form", {200,
                            "text/html",
                            "<title>Form</title><form action='/submitted'><input name=q autofocus>"
                            "</form><script>document.onkeydown = e => { if (e.key == 'Escape') "
                            "fetch('/escape'); };</script>",
                            {}});
    server.Handle("/submitted", {200, "text/html", "<title>Sent</title>", {}});
    server.Handle("/escape", {200, "text/plain", "", {}});
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        dlg.Navigate(Utf8ToWide(server.Url("/form")).c_str());
        ASSERT_TRUE(WaitForLocation(dlg, server.Url("/form")));
        SetFocus(dlg.m_wndBrowser.m_hWnd);
        RunFor(300);
        PressKey("h i Escape");
        EXPECT_TRUE(RunUntil([&] { return server.CountRequests("/escape") == 1; }));
        PressKey("Return");
        EXPECT_TRUE(RunUntil([&] { return server.CountRequests("/submitted") == 1; }));
        EXPECT_TRUE(WaitForLocation(dlg, server.Url("/submitted?q=hi")));
        EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
    });
}

TEST_F(MainWindowTest, FramesKeepTheTopLevelAddressAndTheZoom) {
    TestServer server;
    server.Handle("/framed", {200,
                              "text/html",
                              "<title>Framed</title><iframe src='/inner1'></iframe>"
                              "<iframe src='/inner2'></iframe>",
                              {}});
    server.Handle("/inner1", {200, "text/html", "<title>One</title>one", {}});
    server.Handle("/inner2", {200, "text/html", "<title>Two</title>two", {}});
    server.Handle("/late", {200, "text/html", "<title>Late</title>late", {}});
    GdkScreen* screen = gdk_screen_get_default();
    const double saved = gdk_screen_get_resolution(screen);
    gdk_screen_set_resolution(screen, 168);
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        webkit_web_view_set_zoom_level(View(dlg), 0.3);
        dlg.Navigate(Utf8ToWide(server.Url("/framed")).c_str());
        ASSERT_TRUE(RunUntil([&] { return server.CountRequests("/inner2") == 1; }));
        EXPECT_TRUE(RunUntil([&] {
            return std::abs(webkit_web_view_get_zoom_level(View(dlg)) - 96.0 / 168.0) < 1e-6;
        }));
        EXPECT_TRUE(WaitForLocation(dlg, server.Url("/framed")));
        // A frame loaded later zooms the page again and leaves the box on the top-level page.
        webkit_web_view_set_zoom_level(View(dlg), 0.3);
        webkit_web_view_evaluate_javascript(View(dlg),
                                            "document.querySelector('iframe').src = '/late'", -1,
                                            nullptr, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(RunUntil([&] { return server.CountRequests("/late") == 1; }));
        EXPECT_TRUE(RunUntil([&] {
            return std::abs(webkit_web_view_get_zoom_level(View(dlg)) - 96.0 / 168.0) < 1e-6;
        }));
        EXPECT_EQ(AddressText(dlg), server.Url("/framed"));
        CString current;
        dlg.GetCurrentUrl(current);
        EXPECT_EQ(WideToUtf8(current.GetString()), server.Url("/framed"));
    });
    gdk_screen_set_resolution(screen, saved);
}
