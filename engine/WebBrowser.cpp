#include "engine/WebBrowser.h"

#include <string>
#include <utility>

#include "engine/AddressFixup.h"
#include "engine/ComOut.h"
#include "engine/EngineScripts.h"
#include "engine/FrameDispatch.h"
#include "engine/HtmlDocument.h"
#include "engine/ResourceScheme.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/TextConv.h"
#include "platform/win/WidgetWindow.h"

namespace {

constexpr DWORD kControlStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr LONG kMinZoomPercent = 10;
constexpr LONG kMaxZoomPercent = 1000;
constexpr double kBaseDpi = 96.0;
constexpr char kScriptMessageSignal[] = "script-message-received::";

std::u16string FromUtf8(const char* text) {
    return Utf8ToWide(text ? text : "");
}

VARIANT MakeVariant(VARTYPE vt) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    return v;
}

VARIANT StringVariant(const char* utf8) {
    const std::u16string text = FromUtf8(utf8);
    VARIANT v = MakeVariant(VT_BSTR);
    v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

VARIANT RefVariant(VARIANT* target) {
    VARIANT v = MakeVariant(VT_BYREF | VT_VARIANT);
    v.pvarVal = target;
    return v;
}

VARIANT DispatchVariant(IDispatch* dispatch) {
    VARIANT v = MakeVariant(VT_DISPATCH);
    v.pdispVal = dispatch;
    return v;
}

// WebKitGTK already scales pages by the screen's dpi / 96; GDK reports -1 for the default 96.
double ScreenDpi(GtkWidget* widget) {
    const gdouble dpi = gdk_screen_get_resolution(gtk_widget_get_screen(widget));
    return dpi > 0 ? dpi : kBaseDpi;
}

bool IsPasswordScheme(WebKitAuthenticationScheme scheme) {
    switch (scheme) {
        case WEBKIT_AUTHENTICATION_SCHEME_DEFAULT:
        case WEBKIT_AUTHENTICATION_SCHEME_HTTP_BASIC:
        case WEBKIT_AUTHENTICATION_SCHEME_HTTP_DIGEST:
        case WEBKIT_AUTHENTICATION_SCHEME_HTML_FORM:
        case WEBKIT_AUTHENTICATION_SCHEME_NTLM:
        case WEBKIT_AUTHENTICATION_SCHEME_NEGOTIATE:
            return true;
        default:
            return false;
    }
}

// Messages come from the engine's own scripts, but what they carry is the page's doing.
std::string StringProperty(JSCValue* message, const char* name) {
    if (!jsc_value_is_object(message)) return {};
    const GObjectPtr<JSCValue> value(jsc_value_object_get_property(message, name));
    if (!jsc_value_is_string(value.get())) return {};
    g_autofree char* text = jsc_value_to_string(value.get());
    return text;
}

gint32 NumberProperty(JSCValue* message, const char* name) {
    if (!jsc_value_is_object(message)) return 0;
    const GObjectPtr<JSCValue> value(jsc_value_object_get_property(message, name));
    return jsc_value_is_number(value.get()) ? jsc_value_to_int32(value.get()) : 0;
}

// What failed, then where.
std::string ScriptErrorDetails(JSCValue* message) {
    const std::string source = StringProperty(message, "source");
    std::string details = StringProperty(message, "message") + "\n";
    if (source.empty()) return details + "Where: unknown";
    details += "Where: " + source;
    if (const gint32 line = NumberProperty(message, "line"); line > 0) {
        details += ", line " + std::to_string(line) + ", column " +
                   std::to_string(NumberProperty(message, "column"));
    }
    return details;
}

}  // namespace

// The answer to "document.title" for one finished load.
struct CWebBrowser::TitleRequest {
    CComPtr<CWebBrowser> browser;
    unsigned generation;
    std::string uri;
};

CWebBrowser::CallbackScope::CallbackScope(CWebBrowser* browser) : m_browser(browser) {
    ++m_browser->m_callbackDepth;
    m_browser->AddRef();
}

// The scope's own reference may be the last one: still inside the callback, so the control
// goes from the main loop.
CWebBrowser::CallbackScope::~CallbackScope() {
    --m_browser->m_callbackDepth;
    if (--m_browser->m_refs == 0) g_idle_add(DeleteLater, m_browser);
}

CWebBrowser::CWebBrowser() : m_events(this, DIID_DWebBrowserEvents2) {}

CWebBrowser::~CWebBrowser() {
    DropView();
}

HRESULT CWebBrowser::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    CComPtr<IWebBrowser2> browser;
    browser.Attach(new CWebBrowser);
    return browser->QueryInterface(riid, ppv);
}

gboolean CWebBrowser::DeleteLater(gpointer self) {
    delete static_cast<CWebBrowser*>(self);
    return G_SOURCE_REMOVE;
}

// --- IUnknown

HRESULT CWebBrowser::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IWebBrowser ||
        riid == IID_IWebBrowserApp || riid == IID_IWebBrowser2) {
        *ppvObject = static_cast<IWebBrowser2*>(this);
    } else if (riid == IID_IConnectionPointContainer) {
        *ppvObject = static_cast<IConnectionPointContainer*>(this);
    } else if (riid == IID_IHostedControl) {
        *ppvObject = static_cast<IHostedControl*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CWebBrowser::AddRef() {
    return ++m_refs;
}

ULONG CWebBrowser::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) {
        if (m_callbackDepth > 0) {
            g_idle_add(DeleteLater, this);
        } else {
            delete this;
        }
    }
    return refs;
}

// --- IWebBrowser

HRESULT CWebBrowser::GoBack() {
    if (!m_view || !webkit_web_view_can_go_back(m_view.get())) return E_FAIL;
    webkit_web_view_go_back(m_view.get());
    return S_OK;
}

HRESULT CWebBrowser::GoForward() {
    if (!m_view || !webkit_web_view_can_go_forward(m_view.get())) return E_FAIL;
    webkit_web_view_go_forward(m_view.get());
    return S_OK;
}

HRESULT CWebBrowser::GoHome() {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::GoSearch() {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::Navigate(BSTR URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    if (!URL || SysStringLen(URL) == 0) return E_INVALIDARG;
    if (!m_view) return E_FAIL;
    const std::string uri = FixUpAddress(WideToUtf8({URL, SysStringLen(URL)}));
    webkit_web_view_load_uri(m_view.get(), uri.c_str());
    return S_OK;
}

HRESULT CWebBrowser::Refresh() {
    if (!m_view) return E_FAIL;
    webkit_web_view_reload(m_view.get());
    return S_OK;
}

HRESULT CWebBrowser::Refresh2(VARIANT*) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::Stop() {
    if (!m_view) return E_FAIL;
    webkit_web_view_stop_loading(m_view.get());
    return S_OK;
}

HRESULT CWebBrowser::get_Application(IDispatch** ppDisp) {
    return NotImplemented(ppDisp);
}

HRESULT CWebBrowser::get_Parent(IDispatch** ppDisp) {
    return NotImplemented(ppDisp);
}

HRESULT CWebBrowser::get_Container(IDispatch** ppDisp) {
    return NotImplemented(ppDisp);
}

HRESULT CWebBrowser::get_Document(IDispatch** ppDisp) {
    if (!ppDisp) return E_POINTER;
    *ppDisp = nullptr;
    if (!m_document) return S_FALSE;
    *ppDisp = new CHtmlDocument(m_document);
    return S_OK;
}

HRESULT CWebBrowser::get_TopLevelContainer(VARIANT_BOOL* pBool) {
    return NotImplemented(pBool);
}

HRESULT CWebBrowser::get_Type(BSTR* Type) {
    return NotImplemented(Type);
}

HRESULT CWebBrowser::get_Left(LONG* pl) {
    return GetRectPart(pl, [](const RECT& r) { return r.left; });
}

HRESULT CWebBrowser::put_Left(LONG Left) {
    return ChangeRect(Left, [](RECT& r, LONG left) {
        r.right += left - r.left;
        r.left = left;
    });
}

HRESULT CWebBrowser::get_Top(LONG* pl) {
    return GetRectPart(pl, [](const RECT& r) { return r.top; });
}

HRESULT CWebBrowser::put_Top(LONG Top) {
    return ChangeRect(Top, [](RECT& r, LONG top) {
        r.bottom += top - r.top;
        r.top = top;
    });
}

HRESULT CWebBrowser::get_Width(LONG* pl) {
    return GetRectPart(pl, [](const RECT& r) { return r.right - r.left; });
}

HRESULT CWebBrowser::put_Width(LONG Width) {
    return ChangeRect(Width, [](RECT& r, LONG width) { r.right = r.left + width; });
}

HRESULT CWebBrowser::get_Height(LONG* pl) {
    return GetRectPart(pl, [](const RECT& r) { return r.bottom - r.top; });
}

HRESULT CWebBrowser::put_Height(LONG Height) {
    return ChangeRect(Height, [](RECT& r, LONG height) { r.bottom = r.top + height; });
}

HRESULT CWebBrowser::get_LocationName(BSTR* LocationName) {
    return ReturnString(m_document ? m_document->title : std::u16string(), LocationName);
}

HRESULT CWebBrowser::get_LocationURL(BSTR* LocationURL) {
    return ReturnString(FromUtf8(m_view ? webkit_web_view_get_uri(m_view.get()) : nullptr),
                        LocationURL);
}

HRESULT CWebBrowser::get_Busy(VARIANT_BOOL* pBool) {
    if (!pBool) return E_POINTER;
    *pBool = m_view && webkit_web_view_is_loading(m_view.get()) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// --- IWebBrowserApp

HRESULT CWebBrowser::Quit() {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::ClientToWindow(int* pcx, int* pcy) {
    if (!pcx || !pcy) return E_POINTER;
    return E_NOTIMPL;
}

HRESULT CWebBrowser::PutProperty(BSTR, VARIANT) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::GetProperty(BSTR, VARIANT* pvtValue) {
    return NotImplemented(pvtValue);
}

HRESULT CWebBrowser::get_Name(BSTR* Name) {
    return NotImplemented(Name);
}

HRESULT CWebBrowser::get_HWND(SHANDLE_PTR* pHWND) {
    if (!pHWND) return E_POINTER;
    *pHWND = reinterpret_cast<SHANDLE_PTR>(m_window);
    return m_window ? S_OK : E_FAIL;
}

HRESULT CWebBrowser::get_FullName(BSTR* FullName) {
    return NotImplemented(FullName);
}

HRESULT CWebBrowser::get_Path(BSTR* Path) {
    return NotImplemented(Path);
}

HRESULT CWebBrowser::get_Visible(VARIANT_BOOL* pBool) {
    if (!pBool) return E_POINTER;
    *pBool = m_visible;
    return S_OK;
}

// Only remembered: whoever hosts the control decides what its window shows.
HRESULT CWebBrowser::put_Visible(VARIANT_BOOL Value) {
    m_visible = Value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT CWebBrowser::get_StatusBar(VARIANT_BOOL* pBool) {
    return NotImplemented(pBool);
}

HRESULT CWebBrowser::put_StatusBar(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_StatusText(BSTR* StatusText) {
    return NotImplemented(StatusText);
}

HRESULT CWebBrowser::put_StatusText(BSTR) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_ToolBar(int* Value) {
    return NotImplemented(Value);
}

HRESULT CWebBrowser::put_ToolBar(int) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_MenuBar(VARIANT_BOOL* Value) {
    return NotImplemented(Value);
}

HRESULT CWebBrowser::put_MenuBar(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_FullScreen(VARIANT_BOOL* pbFullScreen) {
    return NotImplemented(pbFullScreen);
}

HRESULT CWebBrowser::put_FullScreen(VARIANT_BOOL) {
    return E_NOTIMPL;
}

// --- IWebBrowser2

HRESULT CWebBrowser::Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName,
                               VARIANT* PostData, VARIANT* Headers) {
    if (URL && URL->vt == (VT_BYREF | VT_VARIANT)) URL = URL->pvarVal;
    if (!URL || URL->vt != VT_BSTR) return E_INVALIDARG;
    return Navigate(URL->bstrVal, Flags, TargetFrameName, PostData, Headers);
}

HRESULT CWebBrowser::QueryStatusWB(OLECMDID cmdID, OLECMDF* pcmdf) {
    if (!pcmdf) return E_POINTER;
    *pcmdf = OLECMDF{};
    if (cmdID != OLECMDID_OPTICAL_ZOOM) return OLECMDERR_E_NOTSUPPORTED;
    *pcmdf = static_cast<OLECMDF>(OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    return S_OK;
}

HRESULT CWebBrowser::ExecWB(OLECMDID cmdID, OLECMDEXECOPT, VARIANT* pvaIn, VARIANT*) {
    if (cmdID != OLECMDID_OPTICAL_ZOOM) return OLECMDERR_E_NOTSUPPORTED;
    if (!pvaIn || pvaIn->vt != VT_I4 || pvaIn->lVal < kMinZoomPercent ||
        pvaIn->lVal > kMaxZoomPercent) {
        return E_INVALIDARG;
    }
    if (!m_view) return E_FAIL;
    const double dpi = ScreenDpi(GTK_WIDGET(m_view.get()));
    webkit_web_view_set_zoom_level(m_view.get(), pvaIn->lVal / 100.0 * kBaseDpi / dpi);
    return S_OK;
}

HRESULT CWebBrowser::ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_ReadyState(READYSTATE* plReadyState) {
    if (!plReadyState) return E_POINTER;
    *plReadyState = m_readyState;
    return S_OK;
}

HRESULT CWebBrowser::get_Offline(VARIANT_BOOL* pbOffline) {
    return NotImplemented(pbOffline);
}

HRESULT CWebBrowser::put_Offline(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_Silent(VARIANT_BOOL* pbSilent) {
    return NotImplemented(pbSilent);
}

HRESULT CWebBrowser::put_Silent(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_RegisterAsBrowser(VARIANT_BOOL* pbRegister) {
    return NotImplemented(pbRegister);
}

HRESULT CWebBrowser::put_RegisterAsBrowser(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_RegisterAsDropTarget(VARIANT_BOOL* pbRegister) {
    return NotImplemented(pbRegister);
}

HRESULT CWebBrowser::put_RegisterAsDropTarget(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_TheaterMode(VARIANT_BOOL* pbRegister) {
    return NotImplemented(pbRegister);
}

HRESULT CWebBrowser::put_TheaterMode(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_AddressBar(VARIANT_BOOL* Value) {
    return NotImplemented(Value);
}

HRESULT CWebBrowser::put_AddressBar(VARIANT_BOOL) {
    return E_NOTIMPL;
}

HRESULT CWebBrowser::get_Resizable(VARIANT_BOOL* Value) {
    return NotImplemented(Value);
}

HRESULT CWebBrowser::put_Resizable(VARIANT_BOOL) {
    return E_NOTIMPL;
}

// --- IConnectionPointContainer

HRESULT CWebBrowser::EnumConnectionPoints(IEnumConnectionPoints** ppEnum) {
    return NotImplemented(ppEnum);
}

HRESULT CWebBrowser::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) {
    if (!ppCP) return E_POINTER;
    *ppCP = nullptr;
    if (riid != DIID_DWebBrowserEvents2) return CONNECT_E_NOCONNECTION;
    *ppCP = &m_events;
    m_events.AddRef();
    return S_OK;
}

// --- IHostedControl

HRESULT CWebBrowser::SetClientSite(IUnknown* site) {
    m_site.Set(site);
    return S_OK;
}

HRESULT CWebBrowser::CreateControlWindow(HWND parent, const RECT* rect, UINT id, HWND* window) {
    if (!window) return E_POINTER;
    *window = nullptr;
    if (!rect) return E_INVALIDARG;
    if (m_view) return E_UNEXPECTED;
    m_view = NewView();
    m_window = CreateWidgetWindow(GTK_WIDGET(m_view.get()), parent, id, kControlStyle, *rect);
    if (!m_window) {
        DropView();
        return E_FAIL;
    }
    *window = m_window;
    return S_OK;
}

HRESULT CWebBrowser::Close() {
    m_external.Reset();
    m_site.Release();
    m_events.UnadviseAll();
    DropView();
    return S_OK;
}

// --- The view

GObjectPtr<WebKitWebView> CWebBrowser::NewView() {
    RegisterResourceScheme();
    GObjectPtr<WebKitWebView> view(WEBKIT_WEB_VIEW(g_object_ref_sink(webkit_web_view_new())));
    WebKitSettings* settings = webkit_web_view_get_settings(view.get());
    webkit_settings_set_enable_developer_extras(settings, FALSE);
    // Every new-window request is granted, including those a page makes while loading.
    webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
    g_signal_connect(view.get(), "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(view.get(), "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(view.get(), "notify::title", G_CALLBACK(OnTitleChanged), this);
    g_signal_connect(view.get(), "destroy", G_CALLBACK(OnViewDestroyed), this);
    g_signal_connect(view.get(), "context-menu", G_CALLBACK(OnContextMenu), this);
    g_signal_connect(view.get(), "key-press-event", G_CALLBACK(OnKeyPress), this);
    g_signal_connect(view.get(), "script-dialog", G_CALLBACK(OnScriptDialog), this);
    g_signal_connect(view.get(), "authenticate", G_CALLBACK(OnAuthenticate), this);
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view.get());
    AddEngineScripts(content);
    g_signal_connect(content, (std::string(kScriptMessageSignal) + kFrameChannel).c_str(),
                     G_CALLBACK(OnFrameMessage), this);
    g_signal_connect(content, (std::string(kScriptMessageSignal) + kScriptErrorChannel).c_str(),
                     G_CALLBACK(OnScriptErrorMessage), this);
    return view;
}

void CWebBrowser::DropView() {
    const GObjectPtr<WebKitWebView> view = std::move(m_view);
    const HWND window = std::exchange(m_window, nullptr);
    if (m_document) m_document->current = false;
    m_document.reset();
    m_readyState = READYSTATE_UNINITIALIZED;
    if (!view) return;
    g_signal_handlers_disconnect_by_data(view.get(), this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_user_content_manager(view.get()),
                                         this);
    GtkWidget* widget = GTK_WIDGET(view.get());
    // The window layer destroys the widget with its window; when the window went first, the
    // widget is already being destroyed and this does nothing more.
    if (GetWindowWidget(window) == widget) {
        DestroyWindow(window);
    } else {
        gtk_widget_destroy(widget);
    }
}

// Only the response tells a top-level document from a frame's; the request has gone out by
// then, so a cancel keeps the old page rather than the server unasked. A response WebKit cannot
// show becomes a download, not a navigation.
gboolean CWebBrowser::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                     WebKitPolicyDecisionType type, gpointer self) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;
    auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    if (!webkit_response_policy_decision_is_main_frame_main_resource(response) ||
        !webkit_response_policy_decision_is_mime_type_supported(response)) {
        return FALSE;
    }
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    const char* uri =
        webkit_uri_request_get_uri(webkit_response_policy_decision_get_request(response));
    const bool cancel = browser->AnnounceNavigation(uri);
    // A control closed by the sink has nothing left to navigate.
    if (!cancel && browser->m_view) return FALSE;
    webkit_policy_decision_ignore(decision);
    return TRUE;
}

void CWebBrowser::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self) {
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    switch (event) {
        case WEBKIT_LOAD_STARTED:
            ++browser->m_loadGeneration;
            browser->m_loadCommitted = false;
            browser->m_navigationAnnounced = false;
            browser->m_readyState = READYSTATE_LOADING;
            break;
        case WEBKIT_LOAD_REDIRECTED:
            break;
        case WEBKIT_LOAD_COMMITTED:
            // Loads that ask no response policy (about:blank, pages from the back-forward cache,
            // error pages) are announced as they commit, too late for a cancel to keep the old
            // page.
            if (!browser->m_navigationAnnounced) {
                browser->AnnounceNavigation(webkit_web_view_get_uri(view));
            }
            if (!browser->m_view) break;
            browser->m_loadCommitted = true;
            browser->m_readyState = READYSTATE_INTERACTIVE;
            browser->m_external.Reset();
            browser->StartDocument();
            browser->FireWithUrl(DISPID_NAVIGATECOMPLETE2, webkit_web_view_get_uri(view), browser);
            break;
        case WEBKIT_LOAD_FINISHED:
            browser->m_readyState = READYSTATE_COMPLETE;
            // A load that failed before its commit left the previous document in place.
            if (browser->m_loadCommitted) browser->RequestDocumentTitle();
            break;
    }
}

void CWebBrowser::OnTitleChanged(GObject* view, GParamSpec*, gpointer self) {
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    const char* title = webkit_web_view_get_title(WEBKIT_WEB_VIEW(view));
    if (browser->m_document) browser->m_document->title = FromUtf8(title);
    browser->FireTitleChange(title);
}

void CWebBrowser::OnViewDestroyed(GtkWidget*, gpointer self) {
    static_cast<CWebBrowser*>(self)->DropView();
}

gboolean CWebBrowser::OnContextMenu(WebKitWebView* view, WebKitContextMenu*, GdkEvent* event,
                                    WebKitHitTestResult*, gpointer self) {
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    gdouble x = 0;
    gdouble y = 0;
    // A menu asked for from the keyboard has no pointer position: the view's corner stands in.
    if (!event || !gdk_event_get_root_coords(event, &x, &y)) {
        gint left = 0;
        gint top = 0;
        gdk_window_get_origin(gtk_widget_get_window(GTK_WIDGET(view)), &left, &top);
        x = left;
        y = top;
    }
    return browser->m_site.ShowContextMenu({static_cast<LONG>(x), static_cast<LONG>(y)});
}

gboolean CWebBrowser::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
    const WPARAM key = VirtualKeyFromGdk(event->keyval);
    if (!key) return FALSE;
    auto* browser = static_cast<CWebBrowser*>(self);
    if (event->time == browser->m_offeredKeyTime &&
        event->hardware_keycode == browser->m_offeredKeyCode) {
        return FALSE;
    }
    browser->m_offeredKeyTime = event->time;
    browser->m_offeredKeyCode = event->hardware_keycode;
    const CallbackScope scope(browser);
    const MSG msg{browser->m_window, WM_KEYDOWN, key, 0, event->time, {0, 0}};
    return browser->m_site.TranslateAccelerator(msg);
}

// window.external calls arrive as a prompt carrying the engine's marker; any other prompt is
// the page's own and WebKit shows it.
gboolean CWebBrowser::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer self) {
    if (webkit_script_dialog_get_dialog_type(dialog) != WEBKIT_SCRIPT_DIALOG_PROMPT ||
        g_strcmp0(webkit_script_dialog_get_message(dialog), kExternalPrompt) != 0) {
        return FALSE;
    }
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    const char* request = webkit_script_dialog_prompt_get_default_text(dialog);
    const std::string answer = browser->m_external.Call(request ? request : "", browser->m_site);
    webkit_script_dialog_prompt_set_text(dialog, answer.c_str());
    return TRUE;
}

// Certificates, their PINs and server trust are no question for the host, and no dialog of
// WebKit's shows for them. Without the host's credentials, a null credential lets the server's
// own 401 page show; a cancel would leave the old page with no word.
gboolean CWebBrowser::OnAuthenticate(WebKitWebView*, WebKitAuthenticationRequest* request,
                                     gpointer self) {
    if (!IsPasswordScheme(webkit_authentication_request_get_scheme(request))) {
        webkit_authentication_request_cancel(request);
        return TRUE;
    }
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    const std::optional<HostCredentials> credentials = browser->m_site.Authenticate();
    if (!credentials) {
        webkit_authentication_request_authenticate(request, nullptr);
        return TRUE;
    }
    WebKitCredential* credential =
        webkit_credential_new(credentials->user.c_str(), credentials->password.c_str(),
                              WEBKIT_CREDENTIAL_PERSISTENCE_NONE);
    webkit_authentication_request_authenticate(request, credential);
    webkit_credential_free(credential);
    return TRUE;
}

void CWebBrowser::OnFrameMessage(WebKitUserContentManager*, WebKitJavascriptResult* message,
                                 gpointer self) {
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    JSCValue* value = webkit_javascript_result_get_js_value(message);
    const std::string event = StringProperty(value, "event");
    if (event == "navigate") {
        browser->FireFrameEvent(DISPID_NAVIGATECOMPLETE2, StringProperty(value, "url"));
    } else if (event == "complete") {
        browser->FireFrameEvent(DISPID_DOCUMENTCOMPLETE, StringProperty(value, "url"));
    }
}

void CWebBrowser::OnScriptErrorMessage(WebKitUserContentManager*, WebKitJavascriptResult* message,
                                       gpointer self) {
    auto* browser = static_cast<CWebBrowser*>(self);
    const CallbackScope scope(browser);
    browser->ReportScriptError(ScriptErrorDetails(webkit_javascript_result_get_js_value(message)));
}

bool CWebBrowser::AnnounceNavigation(const char* uri) {
    m_navigationAnnounced = true;
    if (FireBeforeNavigate2(uri)) return true;
    const DWORD flags = m_site.HostFlags();
    if (m_view) {
        ShowScrollBars(webkit_web_view_get_user_content_manager(m_view.get()),
                       !(flags & DOCHOSTUIFLAG_SCROLL_NO));
    }
    return false;
}

// The host's answer keeps pages quiet; without one the user hears of the failure.
void CWebBrowser::ReportScriptError(const std::string& details) {
    if (m_site.ShowScriptError(Utf8ToWide(details))) return;
    if (m_view) m_errorBox.Show(GTK_WIDGET(m_view.get()), details);
}

// The title usually arrives after the load finished; asking the page gets it in time for
// DocumentComplete.
void CWebBrowser::RequestDocumentTitle() {
    const char* uri = webkit_web_view_get_uri(m_view.get());
    auto* request = new TitleRequest{CComPtr<CWebBrowser>(this), m_loadGeneration, uri ? uri : ""};
    webkit_web_view_evaluate_javascript(m_view.get(), "document.title", -1, kEngineWorld, nullptr,
                                        nullptr, OnTitleEvaluated, request);
}

void CWebBrowser::OnTitleEvaluated(GObject* view, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<TitleRequest*>(data);
    // Declared first so that it is the last to let go of the control.
    const CallbackScope scope(request->browser.Get());
    const std::unique_ptr<TitleRequest> owned(request);
    GError* error = nullptr;
    const GObjectPtr<JSCValue> value(
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(view), result, &error));
    g_clear_error(&error);
    CWebBrowser* browser = request->browser.Get();
    if (request->generation != browser->m_loadGeneration || !browser->m_view) return;
    std::u16string title;
    if (value && jsc_value_is_string(value.get())) {
        g_autofree char* text = jsc_value_to_string(value.get());
        title = FromUtf8(text);
    } else {
        title = FromUtf8(webkit_web_view_get_title(browser->m_view.get()));
    }
    browser->CompleteDocument(title, request->uri.c_str());
}

void CWebBrowser::StartDocument() {
    if (m_document) m_document->current = false;
    m_document = std::make_shared<DocumentState>();
    m_document->title = FromUtf8(webkit_web_view_get_title(m_view.get()));
}

void CWebBrowser::CompleteDocument(const std::u16string& title, const char* uri) {
    if (m_document) m_document->title = title;
    FireWithUrl(DISPID_DOCUMENTCOMPLETE, uri, this);
}

// --- Events

void CWebBrowser::Fire(DISPID id, std::span<VARIANT> args) {
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    m_events.Fire(id, &params);
}

// BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel); true when a
// sink cancelled.
bool CWebBrowser::FireBeforeNavigate2(const char* uri) {
    VARIANT url = StringVariant(uri);
    VARIANT flags = MakeVariant(VT_I4);
    VARIANT targetFrameName = MakeVariant(VT_EMPTY);
    VARIANT postData = MakeVariant(VT_EMPTY);
    VARIANT headers = MakeVariant(VT_EMPTY);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT cancelRef = MakeVariant(VT_BYREF | VT_BOOL);
    cancelRef.pboolVal = &cancel;
    VARIANT args[] = {cancelRef,
                      RefVariant(&headers),
                      RefVariant(&postData),
                      RefVariant(&targetFrameName),
                      RefVariant(&flags),
                      RefVariant(&url),
                      DispatchVariant(this)};
    Fire(DISPID_BEFORENAVIGATE2, args);
    // Sinks may have put something of their own behind the references.
    for (VARIANT* owned : {&url, &flags, &targetFrameName, &postData, &headers}) {
        VariantClear(owned);
    }
    return cancel != VARIANT_FALSE;
}

// NavigateComplete2 and DocumentComplete: (pDisp, URL).
void CWebBrowser::FireWithUrl(DISPID id, const char* uri, IDispatch* target) {
    VARIANT url = StringVariant(uri);
    VARIANT args[] = {RefVariant(&url), DispatchVariant(target)};
    Fire(id, args);
    VariantClear(&url);
}

void CWebBrowser::FireFrameEvent(DISPID id, const std::string& uri) {
    CComPtr<IDispatch> frame;
    frame.Attach(new CFrameDispatch);
    FireWithUrl(id, uri.c_str(), frame);
}

// TitleChange(Text).
void CWebBrowser::FireTitleChange(const char* title) {
    VARIANT args[] = {StringVariant(title)};
    Fire(DISPID_TITLECHANGE, args);
    VariantClear(&args[0]);
}

// --- Geometry

// The client area is the bottom-right part of the parent's window rectangle: only a menu bar
// lies above it.
bool CWebBrowser::ControlRect(RECT* rect) const {
    const HWND parent = GetParent(m_window);
    RECT window{}, parentWindow{}, parentClient{};
    if (!GetWindowRect(m_window, &window) || !GetWindowRect(parent, &parentWindow) ||
        !GetClientRect(parent, &parentClient)) {
        return false;
    }
    const LONG x = parentWindow.right - parentClient.right;
    const LONG y = parentWindow.bottom - parentClient.bottom;
    *rect = {window.left - x, window.top - y, window.right - x, window.bottom - y};
    return true;
}

HRESULT CWebBrowser::GetRectPart(LONG* out, RectPart part) const {
    if (!out) return E_POINTER;
    *out = 0;
    RECT rect{};
    if (!ControlRect(&rect)) return E_FAIL;
    *out = part(rect);
    return S_OK;
}

HRESULT CWebBrowser::ChangeRect(LONG value, RectChange change) {
    RECT rect{};
    if (!ControlRect(&rect)) return E_FAIL;
    change(rect, value);
    return MoveWindow(m_window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                      TRUE)
               ? S_OK
               : E_FAIL;
}

void RegisterWebBrowserClass() {
    CoRegisterClass(CLSID_WebBrowser, &CWebBrowser::CreateInstance);
}
