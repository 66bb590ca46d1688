#include "tests/engine/BrowserFixture.h"

#include <gtk/gtk.h>

#include <cstdlib>

#include "engine/WebBrowser.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/HtmlDocumentInterfaces.h"
#include "platform/com/TextConv.h"
#include "platform/win/WidgetWindow.h"
#include "support/MainLoop.h"
#include "support/Screenshot.h"

namespace {

constexpr UINT kControlId = 100;

const DialogTemplate kParentTemplate{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT,
                                     0,
                                     0,
                                     0,
                                     320,
                                     220,
                                     0,
                                     u"Engine test",
                                     8,
                                     400,
                                     0,
                                     0,
                                     u"Sans",
                                     nullptr,
                                     0};

LRESULT ParentProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

}  // namespace

std::string Utf8(const std::u16string& text) {
    return WideToUtf8(text);
}

void BrowserFixture::SetUpTestSuite() {
    // Faster and lighter under Xvfb's software rendering.
    g_setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", FALSE);
    // Scroll bars that take room, so that a test can measure them.
    g_object_set(gtk_settings_get_default(), "gtk-overlay-scrolling", FALSE, nullptr);
    RegisterWebBrowserClass();
}

void BrowserFixture::SetUp() {
    parent = CreateDialogIndirectParamW(nullptr, &kParentTemplate, nullptr, ParentProc, 0);
    ASSERT_TRUE(parent);
    ASSERT_EQ(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IWebBrowser2,
                               reinterpret_cast<void**>(&browser)),
              S_OK);
    ASSERT_EQ(browser.QueryInterface(IID_IHostedControl, &control), S_OK);
    site.Attach(new CFakeSite);
    ASSERT_EQ(control->SetClientSite(static_cast<IDocHostUIHandler*>(site.Get())), S_OK);
    RECT client{};
    GetClientRect(parent, &client);
    ASSERT_EQ(control->CreateControlWindow(parent, &client, kControlId, &window), S_OK);
    ASSERT_TRUE(window);

    sink.Attach(new CRecordingSink);
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(browser.QueryInterface(IID_IConnectionPointContainer, &container), S_OK);
    CComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point), S_OK);
    ASSERT_EQ(point->Advise(sink.Get(), &cookie), S_OK);
}

void BrowserFixture::TearDown() {
    if (control) control->Close();
    control.Release();
    browser.Release();
    DestroyWindow(parent);
    // Lets deferred releases and the web process's last messages run.
    RunFor(50);
}

HRESULT BrowserFixture::Navigate(const std::string& url) {
    const std::u16string text = Utf8ToWide(url);
    BSTR bstr = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    const HRESULT hr = browser->Navigate(bstr, nullptr, nullptr, nullptr, nullptr);
    SysFreeString(bstr);
    return hr;
}

testing::AssertionResult BrowserFixture::Load(const std::string& url, std::string completeUrl) {
    if (completeUrl.empty()) completeUrl = url;
    sink->events.clear();
    const HRESULT hr = Navigate(url);
    if (FAILED(hr)) return testing::AssertionFailure() << "Navigate(" << url << ") gave " << hr;
    const std::u16string expected = Utf8ToWide(completeUrl);
    if (!RunUntil([&] { return sink->Heard(DISPID_DOCUMENTCOMPLETE, expected); })) {
        return testing::AssertionFailure() << "no DocumentComplete for " << completeUrl;
    }
    return testing::AssertionSuccess();
}

std::string BrowserFixture::LocationUrl() {
    BSTR url = nullptr;
    EXPECT_EQ(browser->get_LocationURL(&url), S_OK);
    const std::string text = WideToUtf8({url, SysStringLen(url)});
    SysFreeString(url);
    return text;
}

std::string BrowserFixture::DocumentTitle() {
    CComPtr<IDispatch> dispatch;
    if (browser->get_Document(&dispatch) != S_OK || !dispatch) return "(no document)";
    CComPtr<IHTMLDocument2> document;
    if (dispatch.QueryInterface(IID_IHTMLDocument2, &document) != S_OK)
        return "(no IHTMLDocument2)";
    BSTR title = nullptr;
    if (document->get_title(&title) != S_OK) return "(get_title failed)";
    const std::string text = WideToUtf8({title, SysStringLen(title)});
    SysFreeString(title);
    return text;
}

void BrowserFixture::SaveScreenshot(const std::string& name) {
    SaveWidgetShot(GetWindowWidget(parent), name);
}

WebKitWebView* BrowserFixture::View() {
    return WEBKIT_WEB_VIEW(GetWindowWidget(window));
}

std::string BrowserFixture::Evaluate(const std::string& script) {
    struct Outcome {
        bool done = false;
        std::string text;
    } outcome;
    webkit_web_view_evaluate_javascript(
        View(), script.c_str(), -1, nullptr, nullptr, nullptr,
        [](GObject* view, GAsyncResult* result, gpointer data) {
            auto* outcome = static_cast<Outcome*>(data);
            GError* error = nullptr;
            JSCValue* value =
                webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error);
            if (value) {
                g_autofree char* text = jsc_value_to_string(value);
                outcome->text = text;
                g_object_unref(value);
            } else {
                outcome->text = std::string("(script failed: ") + error->message + ")";
                g_error_free(error);
            }
            outcome->done = true;
        },
        &outcome);
    if (!RunUntil([&] { return outcome.done; })) {
        ADD_FAILURE() << "no answer from: " << script;
    }
    return outcome.text;
}

POINT BrowserFixture::ViewOrigin() {
    gint x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(View())), &x, &y);
    return {x, y};
}

void BrowserFixture::RunTool(const std::string& command) {
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}
