#include "platform/afx/DHtmlDialog.h"

#include <string>

#include "platform/com/ConnectionPoint.h"
#include "platform/win/Module.h"

namespace {

LPCWSTR VariantText(const VARIANT* v) {
    return v && v->vt == VT_BSTR && v->bstrVal ? v->bstrVal : u"";
}

}  // namespace

CDHtmlDialog::CDHtmlDialog(UINT templateId, UINT htmlResId, CWnd* parent)
    : CDialog(templateId, parent),
      m_dwHostFlags(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO),
      m_nHtmlResID(htmlResId) {}

CDHtmlDialog::~CDHtmlDialog() {
    DisconnectEvents();
    if (m_pBrowserApp) std::exchange(m_pBrowserApp, nullptr)->Release();
}

BOOL CDHtmlDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    RECT client{};
    GetClientRect(&client);
    IUnknown* control = nullptr;
    if (m_wndBrowser.CreateControl(CLSID_WebBrowser, WS_VISIBLE | WS_CHILD, client, this,
                                   AFX_IDC_BROWSER))
        control = m_wndBrowser.GetControlUnknown();
    if (!control || FAILED(control->QueryInterface(IID_IWebBrowser2,
                                                   reinterpret_cast<void**>(&m_pBrowserApp)))) {
        DestroyWindow();
        return FALSE;
    }
    ConnectEvents();
    if (m_nHtmlResID) LoadFromResource(m_nHtmlResID);
    return TRUE;
}

void CDHtmlDialog::ConnectEvents() {
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer,
                                                reinterpret_cast<void**>(&container))) &&
        SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)))
        point->Advise(&m_eventSink, &m_dwEventCookie);
}

void CDHtmlDialog::DisconnectEvents() {
    if (!m_pBrowserApp || !m_dwEventCookie) return;
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer,
                                                reinterpret_cast<void**>(&container))) &&
        SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)))
        point->Unadvise(m_dwEventCookie);
    m_dwEventCookie = 0;
}

BOOL CDHtmlDialog::LoadFromResource(UINT htmlResId) {
    WCHAR path[MAX_PATH] = {};
    if (!GetModuleFileNameW(nullptr, path, MAX_PATH)) return FALSE;
    const std::string id = std::to_string(htmlResId);
    const std::u16string url =
        u"res://" + std::u16string(path) + u"/" + std::u16string(id.begin(), id.end());
    Navigate(url.c_str());
    return TRUE;
}

void CDHtmlDialog::Navigate(LPCWSTR url) {
    if (!m_pBrowserApp) return;
    VARIANT empty;
    VariantInit(&empty);
    BSTR address = SysAllocString(url);
    m_pBrowserApp->Navigate(address, &empty, &empty, &empty, &empty);
    SysFreeString(address);
}

HRESULT CDHtmlDialog::GetDHtmlDocument(IHTMLDocument2** document) {
    if (!document) return E_POINTER;
    *document = nullptr;
    if (!m_spHtmlDoc) return E_NOINTERFACE;
    return m_spHtmlDoc.CopyTo(document);
}

bool CDHtmlDialog::IsTopLevelBrowser(IDispatch* disp) const {
    if (!disp || !m_pBrowserApp) return false;
    CComPtr<IUnknown> a, b;
    disp->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a));
    m_pBrowserApp->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b));
    return a && a.Get() == b.Get();
}

void CDHtmlDialog::OnBeforeNavigate(IDispatch* disp, LPCWSTR) {
    if (!IsTopLevelBrowser(disp)) return;
    m_spHtmlDoc.Release();
    m_strCurrentUrl.Empty();
}

void CDHtmlDialog::OnNavigateComplete(IDispatch* disp, LPCWSTR url) {
    if (!IsTopLevelBrowser(disp)) return;
    m_spHtmlDoc.Release();
    CComPtr<IDispatch> document;
    if (SUCCEEDED(m_pBrowserApp->get_Document(&document)) && document)
        document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&m_spHtmlDoc));
    m_strCurrentUrl = url;
}

void CDHtmlDialog::OnDocumentComplete(IDispatch*, LPCWSTR) {}

void CDHtmlDialog::OnBeforeNavigate2(IDispatch* disp, VARIANT* url, VARIANT*, VARIANT*, VARIANT*,
                                     VARIANT*, VARIANT_BOOL*) {
    OnBeforeNavigate(disp, VariantText(url));
}

void CDHtmlDialog::OnNavigateComplete2(IDispatch* disp, VARIANT* url) {
    OnNavigateComplete(disp, VariantText(url));
}

void CDHtmlDialog::OnDocumentComplete2(IDispatch* disp, VARIANT* url) {
    OnDocumentComplete(disp, VariantText(url));
}

void CDHtmlDialog::OnSize(UINT, int cx, int cy) {
    if (m_wndBrowser.m_hWnd) m_wndBrowser.MoveWindow(0, 0, cx, cy);
}

void CDHtmlDialog::OnDestroy() {
    DisconnectEvents();
    m_spHtmlDoc.Release();
    if (m_pBrowserApp) std::exchange(m_pBrowserApp, nullptr)->Release();
    CWnd::OnDestroy();
}

HRESULT CDHtmlDialog::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_FALSE;
}

HRESULT CDHtmlDialog::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    if (!pInfo) return E_POINTER;
    pInfo->dwFlags = m_dwHostFlags;
    return S_OK;
}

HRESULT CDHtmlDialog::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                             IOleInPlaceUIWindow*) {
    return S_FALSE;
}

HRESULT CDHtmlDialog::HideUI() {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::UpdateUI() {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::EnableModeless(BOOL) {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::OnDocWindowActivate(BOOL) {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::OnFrameWindowActivate(BOOL) {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::TranslateAccelerator(MSG*, const GUID*, DWORD) {
    return S_FALSE;
}

HRESULT CDHtmlDialog::GetOptionKeyPath(LPOLESTR*, DWORD) {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::GetDropTarget(IDropTarget*, IDropTarget** ppDropTarget) {
    if (ppDropTarget) *ppDropTarget = nullptr;
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::GetExternal(IDispatch** ppDispatch) {
    if (ppDispatch) *ppDispatch = nullptr;
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) {
    if (!ppchURLOut) return E_POINTER;
    *ppchURLOut = nullptr;
    return S_FALSE;
}

HRESULT CDHtmlDialog::FilterDataObject(IDataObject*, IDataObject** ppDORet) {
    if (!ppDORet) return E_POINTER;
    *ppDORet = nullptr;
    return S_FALSE;
}

const AFX_MSGMAP* CDHtmlDialog::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {
        OnMessage<&CDHtmlDialog::OnSize>(WM_SIZE),
        OnMessage<&CDHtmlDialog::OnDestroy>(WM_DESTROY),
    };
    static const AFX_MSGMAP map{&CDialog::GetThisMessageMap, entries, std::size(entries)};
    return &map;
}

const AFX_EVENTSINKMAP* CDHtmlDialog::GetThisEventSinkMap() {
    static const AFX_EVENTSINKMAP_ENTRY entries[] = {
        SinkEvent<&CDHtmlDialog::OnBeforeNavigate2>(AFX_IDC_BROWSER, DISPID_BEFORENAVIGATE2),
        SinkEvent<&CDHtmlDialog::OnNavigateComplete2>(AFX_IDC_BROWSER, DISPID_NAVIGATECOMPLETE2),
        SinkEvent<&CDHtmlDialog::OnDocumentComplete2>(AFX_IDC_BROWSER, DISPID_DOCUMENTCOMPLETE),
    };
    static const AFX_EVENTSINKMAP map{&CCmdTarget::GetThisEventSinkMap, entries,
                                      std::size(entries)};
    return &map;
}

HRESULT CDHtmlDialog::CEventSink::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualGUID(iid, IID_IUnknown) && !IsEqualGUID(iid, IID_IDispatch) &&
        !IsEqualGUID(iid, DIID_DWebBrowserEvents2))
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    return S_OK;
}

HRESULT CDHtmlDialog::CEventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CDHtmlDialog::CEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::CEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT CDHtmlDialog::CEventSink::Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params,
                                         VARIANT* result, EXCEPINFO*, UINT*) {
    if (result) VariantInit(result);
    return m_owner->OnEvent(AFX_IDC_BROWSER, dispid, params) ? S_OK : DISP_E_MEMBERNOTFOUND;
}
