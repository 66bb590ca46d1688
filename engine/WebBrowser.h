// The WebBrowser control: IWebBrowser2 and DWebBrowserEvents2 over one WebKitWebView.
#pragma once

#include <webkit2/webkit2.h>

#include <memory>
#include <span>
#include <string>

#include "engine/DocumentState.h"
#include "engine/ExternalBridge.h"
#include "engine/GObjectPtr.h"
#include "engine/HostSite.h"
#include "engine/ScriptErrorBox.h"
#include "engine/VtableDispatch.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/WebBrowserInterfaces.h"
#include "platform/win/HostedControl.h"

class CWebBrowser final : public CVtableDispatch<IWebBrowser2>,
                          public IConnectionPointContainer,
                          public IHostedControl {
public:
    // The class registry's creation function for CLSID_WebBrowser.
    static HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv);

    CWebBrowser(const CWebBrowser&) = delete;
    CWebBrowser& operator=(const CWebBrowser&) = delete;

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IWebBrowser
    HRESULT GoBack() override;
    HRESULT GoForward() override;
    HRESULT GoHome() override;
    HRESULT GoSearch() override;
    HRESULT Navigate(BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                     VARIANT* Headers) override;
    HRESULT Refresh() override;
    HRESULT Refresh2(VARIANT* Level) override;
    HRESULT Stop() override;
    HRESULT get_Application(IDispatch** ppDisp) override;
    HRESULT get_Parent(IDispatch** ppDisp) override;
    HRESULT get_Container(IDispatch** ppDisp) override;
    HRESULT get_Document(IDispatch** ppDisp) override;
    HRESULT get_TopLevelContainer(VARIANT_BOOL* pBool) override;
    HRESULT get_Type(BSTR* Type) override;
    HRESULT get_Left(LONG* pl) override;
    HRESULT put_Left(LONG Left) override;
    HRESULT get_Top(LONG* pl) override;
    HRESULT put_Top(LONG Top) override;
    HRESULT get_Width(LONG* pl) override;
    HRESULT put_Width(LONG Width) override;
    HRESULT get_Height(LONG* pl) override;
    HRESULT put_Height(LONG Height) override;
    HRESULT get_LocationName(BSTR* LocationName) override;
    HRESULT get_LocationURL(BSTR* LocationURL) override;
    HRESULT get_Busy(VARIANT_BOOL* pBool) override;

    // IWebBrowserApp
    HRESULT Quit() override;
    HRESULT ClientToWindow(int* pcx, int* pcy) override;
    HRESULT PutProperty(BSTR Property, VARIANT vtValue) override;
    HRESULT GetProperty(BSTR Property, VARIANT* pvtValue) override;
    HRESULT get_Name(BSTR* Name) override;
    HRESULT get_HWND(SHANDLE_PTR* pHWND) override;
    HRESULT get_FullName(BSTR* FullName) override;
    HRESULT get_Path(BSTR* Path) override;
    HRESULT get_Visible(VARIANT_BOOL* pBool) override;
    HRESULT put_Visible(VARIANT_BOOL Value) override;
    HRESULT get_StatusBar(VARIANT_BOOL* pBool) override;
    HRESULT put_StatusBar(VARIANT_BOOL Value) override;
    HRESULT get_StatusText(BSTR* StatusText) override;
    HRESULT put_StatusText(BSTR StatusText) override;
    HRESULT get_ToolBar(int* Value) override;
    HRESULT put_ToolBar(int Value) override;
    HRESULT get_MenuBar(VARIANT_BOOL* Value) override;
    HRESULT put_MenuBar(VARIANT_BOOL Value) override;
    HRESULT get_FullScreen(VARIANT_BOOL* pbFullScreen) override;
    HRESULT put_FullScreen(VARIANT_BOOL bFullScreen) override;

    // IWebBrowser2
    HRESULT Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                      VARIANT* Headers) override;
    HRESULT QueryStatusWB(OLECMDID cmdID, OLECMDF* pcmdf) override;
    HRESULT ExecWB(OLECMDID cmdID, OLECMDEXECOPT cmdexecopt, VARIANT* pvaIn,
                   VARIANT* pvaOut) override;
    HRESULT ShowBrowserBar(VARIANT* pvaClsid, VARIANT* pvarShow, VARIANT* pvarSize) override;
    HRESULT get_ReadyState(READYSTATE* plReadyState) override;
    HRESULT get_Offline(VARIANT_BOOL* pbOffline) override;
    HRESULT put_Offline(VARIANT_BOOL bOffline) override;
    HRESULT get_Silent(VARIANT_BOOL* pbSilent) override;
    HRESULT put_Silent(VARIANT_BOOL bSilent) override;
    HRESULT get_RegisterAsBrowser(VARIANT_BOOL* pbRegister) override;
    HRESULT put_RegisterAsBrowser(VARIANT_BOOL bRegister) override;
    HRESULT get_RegisterAsDropTarget(VARIANT_BOOL* pbRegister) override;
    HRESULT put_RegisterAsDropTarget(VARIANT_BOOL bRegister) override;
    HRESULT get_TheaterMode(VARIANT_BOOL* pbRegister) override;
    HRESULT put_TheaterMode(VARIANT_BOOL bRegister) override;
    HRESULT get_AddressBar(VARIANT_BOOL* Value) override;
    HRESULT put_AddressBar(VARIANT_BOOL Value) override;
    HRESULT get_Resizable(VARIANT_BOOL* Value) override;
    HRESULT put_Resizable(VARIANT_BOOL Value) override;

    // IConnectionPointContainer
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    // IHostedControl
    HRESULT SetClientSite(IUnknown* site) override;
    HRESULT CreateControlWindow(HWND parent, const RECT* rect, UINT id, HWND* window) override;
    HRESULT Close() override;

private:
    // Keeps the control alive through a WebKit signal or callback; a last Release meanwhile
    // waits for the main loop, since WebKit is still on the stack.
    class CallbackScope {
    public:
        explicit CallbackScope(CWebBrowser* browser);
        ~CallbackScope();
        CallbackScope(const CallbackScope&) = delete;
        CallbackScope& operator=(const CallbackScope&) = delete;

    private:
        CWebBrowser* m_browser;
    };

    struct TitleRequest;
    using RectPart = LONG (*)(const RECT& rect);
    using RectChange = void (*)(RECT& rect, LONG value);

    CWebBrowser();
    ~CWebBrowser();
    static gboolean DeleteLater(gpointer self);

    // The view, its settings and every signal the control listens to.
    GObjectPtr<WebKitWebView> NewView();
    // Lets go of the view and destroys its window; safe to call when already done.
    void DropView();

    static gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
    static void OnTitleChanged(GObject* view, GParamSpec* property, gpointer self);
    static void OnViewDestroyed(GtkWidget* view, gpointer self);
    static gboolean OnContextMenu(WebKitWebView* view, WebKitContextMenu* menu, GdkEvent* event,
                                  WebKitHitTestResult* hit, gpointer self);
    static gboolean OnKeyPress(GtkWidget* view, GdkEventKey* event, gpointer self);
    static gboolean OnScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog, gpointer self);
    static gboolean OnAuthenticate(WebKitWebView* view, WebKitAuthenticationRequest* request,
                                   gpointer self);
    static void OnFrameMessage(WebKitUserContentManager* content, WebKitJavascriptResult* message,
                               gpointer self);
    static void OnScriptErrorMessage(WebKitUserContentManager* content,
                                     WebKitJavascriptResult* message, gpointer self);
    static void OnTitleEvaluated(GObject* view, GAsyncResult* result, gpointer request);

    // The top-level document about to load: BeforeNavigate2, then the host's say on how it
    // looks. True when a sink cancelled.
    bool AnnounceNavigation(const char* uri);
    void ReportScriptError(const std::string& details);

    void StartDocument();
    void RequestDocumentTitle();
    void CompleteDocument(const std::u16string& title, const char* uri);

    // Events; args are in rgvarg order, the last declared parameter first.
    void Fire(DISPID id, std::span<VARIANT> args);
    bool FireBeforeNavigate2(const char* uri);
    void FireWithUrl(DISPID id, const char* uri, IDispatch* target);
    // A frame's event: pDisp stands for the frame, never the control.
    void FireFrameEvent(DISPID id, const std::string& uri);
    void FireTitleChange(const char* title);

    // The control window's rectangle in its parent's client area.
    bool ControlRect(RECT* rect) const;
    HRESULT GetRectPart(LONG* out, RectPart part) const;
    HRESULT ChangeRect(LONG value, RectChange change);

    ULONG m_refs = 1;
    int m_callbackDepth = 0;
    CConnectionPoint m_events;
    CHostSite m_site;
    CExternalBridge m_external;
    CScriptErrorBox m_errorBox;
    GObjectPtr<WebKitWebView> m_view;
    HWND m_window = nullptr;
    VARIANT_BOOL m_visible = VARIANT_TRUE;
    READYSTATE m_readyState = READYSTATE_UNINITIALIZED;
    // Bumped by every load, so that a title answer for a superseded load is dropped.
    unsigned m_loadGeneration = 0;
    bool m_loadCommitted = false;
    // Whether the current load has had its BeforeNavigate2.
    bool m_navigationAnnounced = false;
    // The key press last offered to the host. WebKit gives a key the page left alone back to
    // GTK, which brings the same press here again.
    guint32 m_offeredKeyTime = 0;
    guint16 m_offeredKeyCode = 0;
    // Null before the first commit and after Close.
    std::shared_ptr<DocumentState> m_document;
};

// Makes CLSID_WebBrowser creatable with CoCreateInstance.
void RegisterWebBrowserClass();
