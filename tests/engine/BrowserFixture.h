// A dialog window holding one WebBrowser control made through the class registry, as the
// framework makes it, with a recording sink advised to its events and a local HTTP server.
#pragma once

#include <gtest/gtest.h>
#include <webkit2/webkit2.h>

#include <string>

#include "platform/com/ComPtr.h"
#include "platform/com/WebBrowserInterfaces.h"
#include "platform/win/HostedControl.h"
#include "platform/win/Window.h"
#include "support/TestServer.h"
#include "tests/engine/FakeSite.h"
#include "tests/engine/RecordingSink.h"

class BrowserFixture : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    HRESULT Navigate(const std::string& url);
    // Navigates, then runs the loop until DocumentComplete for completeUrl (url by default).
    testing::AssertionResult Load(const std::string& url, std::string completeUrl = {});
    std::string LocationUrl();
    // The title through get_Document and IHTMLDocument2::get_title.
    std::string DocumentTitle();
    // Whatever the user would see, for a person to look at after the run.
    void SaveScreenshot(const std::string& name);
    WebKitWebView* View();
    // Runs script in the page's own world and gives its value as text; it must not throw.
    std::string Evaluate(const std::string& script);
    // The view's top-left corner on the screen.
    POINT ViewOrigin();
    // A command such as xdotool, which must succeed.
    void RunTool(const std::string& command);

    TestServer server;
    HWND parent = nullptr;
    HWND window = nullptr;
    CComPtr<IWebBrowser2> browser;
    CComPtr<IHostedControl> control;
    // The control's site, which a test sets up before it loads a page.
    CComPtr<CFakeSite> site;
    CComPtr<CRecordingSink> sink;
    DWORD cookie = 0;
};

std::string Utf8(const std::u16string& text);
