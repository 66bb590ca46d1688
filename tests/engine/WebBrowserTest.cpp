// The control over the real engine: events, navigation, documents, zoom and its window.
#include <webkit2/webkit2.h>

#include <map>
#include <string>
#include <vector>

#include "platform/com/ConnectionPoint.h"
#include "platform/com/HtmlDocumentInterfaces.h"
#include "platform/com/TextConv.h"
#include "platform/win/WidgetWindow.h"
#include "support/MainLoop.h"
#include "tests/engine/BrowserFixture.h"

namespace {

using WebBrowserTest = BrowserFixture;

constexpr VARTYPE kVariantRef = VT_BYREF | VT_VARIANT;

TestResponse Page(const std::string& title, const std::string& body = "hello") {
    return {200, "text/html; charset=utf-8", "<title>" + title + "</title>" + body, {}};
}

std::vector<std::pair<DISPID, std::string>> Summary(const std::vector<BrowserEvent>& events) {
    std::vector<std::pair<DISPID, std::string>> summary;
    for (const BrowserEvent& e : events) summary.emplace_back(e.id, Utf8(e.text));
    return summary;
}

const void* IdentityOf(IUnknown* object) {
    CComPtr<IUnknown> identity;
    object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    return identity.Get();
}

TEST_F(WebBrowserTest, ServedPageRaisesNavigationEventsInOrderWithItsTitleKnown) {
    server.Handle("/page", Page("Served page"));
    std::string titleAtComplete, nameAtComplete;
    sink->onEvent = [&](const BrowserEvent& e) {
        if (e.id != DISPID_DOCUMENTCOMPLETE) return;
        titleAtComplete = DocumentTitle();
        BSTR name = nullptr;
        browser->get_LocationName(&name);
        nameAtComplete = WideToUtf8({name, SysStringLen(name)});
        SysFreeString(name);
    };
    const std::string url = server.Url("/page");
    ASSERT_TRUE(Load(url));

    const std::vector<std::pair<DISPID, std::string>> expected{{DISPID_BEFORENAVIGATE2, url},
                                                               {DISPID_NAVIGATECOMPLETE2, url},
                                                               {DISPID_DOCUMENTCOMPLETE, url}};
    EXPECT_EQ(Summary(sink->Navigation()), expected);
    EXPECT_EQ(titleAtComplete, "Served page");
    EXPECT_EQ(nameAtComplete, "Served page");
    EXPECT_TRUE(RunUntil([&] { return sink->Heard(DISPID_TITLECHANGE, u"Served page"); }));
    EXPECT_EQ(LocationUrl(), url);
    RunFor(300);
    SaveScreenshot("engine-served-page");
}

TEST_F(WebBrowserTest, EventArgumentsComeLastFirstWithTheDeclaredTypes) {
    server.Handle("/args", Page("Arguments"));
    ASSERT_TRUE(Load(server.Url("/args")));
    ASSERT_TRUE(RunUntil([&] { return sink->Heard(DISPID_TITLECHANGE, u"Arguments"); }));

    const std::map<DISPID, std::vector<VARTYPE>> declared{
        {DISPID_BEFORENAVIGATE2,
         {VT_DISPATCH, kVariantRef, kVariantRef, kVariantRef, kVariantRef, kVariantRef,
          VT_BYREF | VT_BOOL}},
        {DISPID_NAVIGATECOMPLETE2, {VT_DISPATCH, kVariantRef}},
        {DISPID_DOCUMENTCOMPLETE, {VT_DISPATCH, kVariantRef}},
        {DISPID_TITLECHANGE, {VT_BSTR}},
    };
    const void* browserIdentity = IdentityOf(browser);
    for (const BrowserEvent& e : sink->events) {
        SCOPED_TRACE(e.id);
        ASSERT_TRUE(declared.count(e.id));
        EXPECT_EQ(e.types, declared.at(e.id));
        if (e.types.front() == VT_DISPATCH) {
            EXPECT_EQ(e.dispatchIdentity, browserIdentity);
        }
    }
}

// BeforeNavigate2 comes with the response, the first point where WebKit tells a top-level
// document from a frame's: the request has gone out, and the old page stays.
TEST_F(WebBrowserTest, CancelInBeforeNavigate2KeepsTheOldPage) {
    server.Handle("/old", Page("Old"));
    server.Handle("/new", Page("New"));
    const std::string oldUrl = server.Url("/old");
    ASSERT_TRUE(Load(oldUrl));
    sink->events.clear();
    sink->cancel = [](const std::u16string& url) { return url.ends_with(u"/new"); };

    ASSERT_EQ(Navigate(server.Url("/new")), S_OK);
    ASSERT_TRUE(RunUntil([&] { return !sink->events.empty(); }));
    RunFor(500);

    EXPECT_EQ(Summary(sink->Navigation()), (std::vector<std::pair<DISPID, std::string>>{
                                               {DISPID_BEFORENAVIGATE2, server.Url("/new")}}));
    EXPECT_EQ(LocationUrl(), oldUrl);
    EXPECT_EQ(DocumentTitle(), "Old");
}

TEST_F(WebBrowserTest, SinkMayCancelAndNavigateElsewhereInsideBeforeNavigate2) {
    server.Handle("/typed", Page("Typed"));
    server.Handle("/instead", Page("Instead"));
    sink->cancel = [](const std::u16string& url) { return url.ends_with(u"/typed"); };
    sink->onEvent = [&](const BrowserEvent& e) {
        if (e.id == DISPID_BEFORENAVIGATE2 && e.text.ends_with(u"/typed")) {
            EXPECT_EQ(Navigate(server.Url("/instead")), S_OK);
        }
    };
    ASSERT_TRUE(Load(server.Url("/typed"), server.Url("/instead")));
    EXPECT_FALSE(sink->Heard(DISPID_NAVIGATECOMPLETE2, Utf8ToWide(server.Url("/typed"))));
    EXPECT_EQ(DocumentTitle(), "Instead");
}

TEST_F(WebBrowserTest, RedirectCompletesAtTheFinalAddress) {
    server.Handle("/moved", {302, "text/html", "", {{"Location", "/final"}}});
    server.Handle("/final", Page("Final"));
    const std::string finalUrl = server.Url("/final");
    ASSERT_TRUE(Load(server.Url("/moved"), finalUrl));

    std::vector<std::string> committed;
    for (const BrowserEvent& e : sink->events)
        if (e.id == DISPID_NAVIGATECOMPLETE2) committed.push_back(Utf8(e.text));
    EXPECT_EQ(committed, std::vector<std::string>{finalUrl});
    EXPECT_EQ(LocationUrl(), finalUrl);
    EXPECT_EQ(DocumentTitle(), "Final");
}

TEST_F(WebBrowserTest, AddressWithoutSchemeIsLoadedOverHttp) {
    server.Handle("/bare", Page("Bare"));
    ASSERT_TRUE(Load(server.HostAndPort() + "/bare", server.Url("/bare")));
    EXPECT_EQ(LocationUrl(), server.Url("/bare"));
}

TEST_F(WebBrowserTest, NavigateRefusesNoAddress) {
    BSTR empty = SysAllocString(u"");
    EXPECT_EQ(browser->Navigate(nullptr, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(browser->Navigate(empty, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    SysFreeString(empty);
}

TEST_F(WebBrowserTest, FailedLoadShowsAnErrorPageWithoutCrashing) {
    std::string closedUrl;
    {
        TestServer gone;
        closedUrl = gone.Url("/nothing");
    }
    sink->events.clear();
    ASSERT_EQ(Navigate(closedUrl), S_OK);
    EXPECT_TRUE(
        RunUntil([&] { return sink->Heard(DISPID_DOCUMENTCOMPLETE, Utf8ToWide(closedUrl)); }));
    EXPECT_TRUE(sink->Heard(DISPID_NAVIGATECOMPLETE2, Utf8ToWide(closedUrl)));
}

TEST_F(WebBrowserTest, DocumentExistsFromTheFirstCommit) {
    CComPtr<IDispatch> none;
    EXPECT_EQ(browser->get_Document(&none), S_FALSE);
    EXPECT_FALSE(none);

    server.Handle("/doc", Page("Doc"));
    ASSERT_TRUE(Load(server.Url("/doc")));
    CComPtr<IDispatch> dispatch;
    ASSERT_EQ(browser->get_Document(&dispatch), S_OK);
    ASSERT_TRUE(dispatch);
    for (const IID& iid : {IID_IUnknown, IID_IDispatch, IID_IHTMLDocument, IID_IHTMLDocument2}) {
        CComPtr<IUnknown> answered;
        EXPECT_EQ(dispatch.QueryInterface(iid, &answered), S_OK);
    }
    CComPtr<IUnknown> notADocument;
    EXPECT_EQ(dispatch.QueryInterface(IID_IWebBrowser2, &notADocument), E_NOINTERFACE);

    CComPtr<IHTMLDocument2> document;
    ASSERT_EQ(dispatch.QueryInterface(IID_IHTMLDocument2, &document), S_OK);
    CComPtr<IHTMLElement> body;
    EXPECT_EQ(document->get_body(&body), S_OK);
    EXPECT_TRUE(body);

    // The proxy of a replaced document no longer hands out its body.
    server.Handle("/next", Page("Next"));
    ASSERT_TRUE(Load(server.Url("/next")));
    CComPtr<IHTMLElement> staleBody;
    EXPECT_EQ(document->get_body(&staleBody), S_FALSE);
    EXPECT_FALSE(staleBody);
    EXPECT_EQ(DocumentTitle(), "Next");
}

TEST_F(WebBrowserTest, ControlAnswersItsInterfacesWithOneIdentity) {
    const void* identity = IdentityOf(browser);
    for (const IID& iid : {IID_IUnknown, IID_IDispatch, IID_IWebBrowser, IID_IWebBrowserApp,
                           IID_IWebBrowser2, IID_IConnectionPointContainer, IID_IHostedControl}) {
        CComPtr<IUnknown> answered;
        ASSERT_EQ(browser.QueryInterface(iid, &answered), S_OK);
        EXPECT_EQ(IdentityOf(answered), identity);
    }
    CComPtr<IUnknown> document;
    EXPECT_EQ(browser.QueryInterface(IID_IHTMLDocument2, &document), E_NOINTERFACE);
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(browser.QueryInterface(IID_IConnectionPointContainer, &container), S_OK);
    CComPtr<IConnectionPoint> other;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, &other), CONNECT_E_NOCONNECTION);
}

struct ZoomCase {
    double dpi;
    LONG percent;
    double zoomLevel;
};

TEST_F(WebBrowserTest, OpticalZoomShowsThePageAtThePercentOnAnyResolution) {
    WebKitWebView* view = WEBKIT_WEB_VIEW(GetWindowWidget(window));
    GdkScreen* screen = gdk_screen_get_default();
    const double savedDpi = gdk_screen_get_resolution(screen);
    for (const ZoomCase& c :
         {ZoomCase{96, 150, 1.5}, ZoomCase{96, 100, 1.0}, ZoomCase{144, 150, 1.0},
          ZoomCase{144, 100, 96.0 / 144}, ZoomCase{-1, 200, 2.0}, ZoomCase{96, 10, 0.1},
          ZoomCase{96, 1000, 10.0}}) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi, " << c.percent << "%");
        gdk_screen_set_resolution(screen, c.dpi);
        VARIANT in;
        VariantInit(&in);
        in.vt = VT_I4;
        in.lVal = c.percent;
        EXPECT_EQ(
            browser->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in, nullptr),
            S_OK);
        EXPECT_NEAR(webkit_web_view_get_zoom_level(view), c.zoomLevel, 1e-9);
    }
    gdk_screen_set_resolution(screen, savedDpi);
}

TEST_F(WebBrowserTest, OpticalZoomRefusesBadInputAndOtherCommands) {
    VARIANT in;
    VariantInit(&in);
    in.vt = VT_I4;
    for (const LONG percent : {9, 1001, 0, -100}) {
        in.lVal = percent;
        EXPECT_EQ(browser->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DODEFAULT, &in, nullptr),
                  E_INVALIDARG)
            << percent;
    }
    in.vt = VT_I2;
    in.iVal = 150;
    EXPECT_EQ(browser->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DODEFAULT, &in, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(browser->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr),
              E_INVALIDARG);
    constexpr HRESULT kNotSupported = static_cast<HRESULT>(0x80040100);
    EXPECT_EQ(browser->ExecWB(OLECMDID_SHOWSCRIPTERROR, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr),
              kNotSupported);

    OLECMDF status{};
    EXPECT_EQ(browser->QueryStatusWB(OLECMDID_OPTICAL_ZOOM, &status), S_OK);
    EXPECT_EQ(status, OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(browser->QueryStatusWB(OLECMDID_SHOWSCRIPTERROR, &status), kNotSupported);
    EXPECT_EQ(status, 0);
}

TEST_F(WebBrowserTest, GeometryIsTheControlWindowsRectangleInItsParent) {
    ASSERT_TRUE(MoveWindow(window, 10, 20, 300, 200, TRUE));
    LONG left = 0, top = 0, width = 0, height = 0;
    EXPECT_EQ(browser->get_Left(&left), S_OK);
    EXPECT_EQ(browser->get_Top(&top), S_OK);
    EXPECT_EQ(browser->get_Width(&width), S_OK);
    EXPECT_EQ(browser->get_Height(&height), S_OK);
    EXPECT_EQ((std::vector<LONG>{left, top, width, height}), (std::vector<LONG>{10, 20, 300, 200}));

    EXPECT_EQ(browser->put_Left(30), S_OK);
    EXPECT_EQ(browser->put_Top(40), S_OK);
    EXPECT_EQ(browser->put_Width(250), S_OK);
    EXPECT_EQ(browser->put_Height(150), S_OK);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, 250);
    EXPECT_EQ(client.bottom, 150);
    EXPECT_EQ(browser->get_Left(&left), S_OK);
    EXPECT_EQ(browser->get_Top(&top), S_OK);
    EXPECT_EQ(left, 30);
    EXPECT_EQ(top, 40);
}

TEST_F(WebBrowserTest, StateProperties) {
    SHANDLE_PTR handle = 0;
    EXPECT_EQ(browser->get_HWND(&handle), S_OK);
    EXPECT_EQ(handle, reinterpret_cast<SHANDLE_PTR>(window));

    VARIANT_BOOL visible = VARIANT_FALSE;
    EXPECT_EQ(browser->get_Visible(&visible), S_OK);
    EXPECT_EQ(visible, VARIANT_TRUE);
    EXPECT_EQ(browser->put_Visible(VARIANT_FALSE), S_OK);
    EXPECT_EQ(browser->get_Visible(&visible), S_OK);
    EXPECT_EQ(visible, VARIANT_FALSE);
    EXPECT_TRUE(IsWindowVisible(window));

    READYSTATE state = READYSTATE_COMPLETE;
    EXPECT_EQ(browser->get_ReadyState(&state), S_OK);
    EXPECT_EQ(state, READYSTATE_UNINITIALIZED);
    server.Handle("/state", Page("State"));
    ASSERT_TRUE(Load(server.Url("/state")));
    VARIANT_BOOL busy = VARIANT_TRUE;
    EXPECT_EQ(browser->get_Busy(&busy), S_OK);
    EXPECT_EQ(busy, VARIANT_FALSE);
    EXPECT_EQ(browser->get_ReadyState(&state), S_OK);
    EXPECT_EQ(state, READYSTATE_COMPLETE);
}

TEST_F(WebBrowserTest, BackAndForwardMoveThroughHistory) {
    server.Handle("/one", Page("One"));
    server.Handle("/two", Page("Two"));
    EXPECT_EQ(browser->GoBack(), E_FAIL);
    ASSERT_TRUE(Load(server.Url("/one")));
    ASSERT_TRUE(Load(server.Url("/two")));
    sink->events.clear();
    EXPECT_EQ(browser->GoBack(), S_OK);
    ASSERT_TRUE(RunUntil(
        [&] { return sink->Heard(DISPID_DOCUMENTCOMPLETE, Utf8ToWide(server.Url("/one"))); }));
    EXPECT_EQ(DocumentTitle(), "One");
    EXPECT_EQ(browser->GoForward(), S_OK);
    ASSERT_TRUE(RunUntil(
        [&] { return sink->Heard(DISPID_DOCUMENTCOMPLETE, Utf8ToWide(server.Url("/two"))); }));
    EXPECT_EQ(DocumentTitle(), "Two");
}

TEST_F(WebBrowserTest, SinkMayCloseAndReleaseTheControlInsideAnEvent) {
    server.Handle("/closing", Page("Closing"));
    sink->onEvent = [&](const BrowserEvent& e) {
        if (e.id != DISPID_NAVIGATECOMPLETE2) return;
        control->Close();
        control.Release();
        browser.Release();
    };
    ASSERT_EQ(Navigate(server.Url("/closing")), S_OK);
    ASSERT_TRUE(RunUntil([&] { return !browser; }));
    RunFor(500);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(sink->Heard(DISPID_DOCUMENTCOMPLETE, Utf8ToWide(server.Url("/closing"))));
}

TEST_F(WebBrowserTest, ControlOutlivingItsWindowFailsCleanly) {
    server.Handle("/gone", Page("Gone"));
    ASSERT_TRUE(Load(server.Url("/gone")));
    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_FALSE(IsWindow(window));

    EXPECT_EQ(Navigate(server.Url("/gone")), E_FAIL);
    EXPECT_EQ(LocationUrl(), "");
    CComPtr<IDispatch> document;
    EXPECT_EQ(browser->get_Document(&document), S_FALSE);
    SHANDLE_PTR handle = 1;
    EXPECT_EQ(browser->get_HWND(&handle), E_FAIL);
    EXPECT_EQ(handle, 0);
    LONG width = 1;
    EXPECT_EQ(browser->get_Width(&width), E_FAIL);
    EXPECT_EQ(control->Close(), S_OK);
}

}  // namespace
