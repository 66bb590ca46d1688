#include "tests/engine/FakeSite.h"

#include <algorithm>

#include "platform/com/TaskMem.h"
#include "platform/com/WebBrowserInterfaces.h"
#include "support/MainLoop.h"

namespace {

LPWSTR TaskString(const std::u16string& text) {
    auto* copy = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(WCHAR)));
    std::copy(text.begin(), text.end(), copy);
    copy[text.size()] = u'\0';
    return copy;
}

}  // namespace

HRESULT CFakeSite::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid == IID_IUnknown) {
        *ppvObject = static_cast<IDocHostUIHandler*>(this);
    } else if (riid == IID_IDocHostUIHandler && answersHandler) {
        *ppvObject = static_cast<IDocHostUIHandler*>(this);
    } else if (riid == IID_IServiceProvider) {
        *ppvObject = static_cast<IServiceProvider*>(this);
    } else if (riid == IID_IOleCommandTarget && answersCommandTarget) {
        *ppvObject = static_cast<IOleCommandTarget*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CFakeSite::AddRef() {
    return ++m_refs;
}

ULONG CFakeSite::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
}

HRESULT CFakeSite::ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown*, IDispatch*) {
    calls.push_back("ShowContextMenu");
    menuPoints.push_back(dwID == 0 && ppt ? *ppt : POINT{-1, -1});
    return contextMenuResult;
}

HRESULT CFakeSite::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    calls.push_back("GetHostInfo");
    if (!pInfo) return E_POINTER;
    hostInfoSizes.push_back(pInfo->cbSize);
    pInfo->dwFlags = hostFlags;
    return S_OK;
}

HRESULT CFakeSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                          IOleInPlaceUIWindow*) {
    calls.push_back("ShowUI");
    return S_FALSE;
}

HRESULT CFakeSite::HideUI() {
    calls.push_back("HideUI");
    return E_NOTIMPL;
}

HRESULT CFakeSite::UpdateUI() {
    calls.push_back("UpdateUI");
    return E_NOTIMPL;
}

HRESULT CFakeSite::EnableModeless(BOOL) {
    calls.push_back("EnableModeless");
    return E_NOTIMPL;
}

HRESULT CFakeSite::OnDocWindowActivate(BOOL) {
    calls.push_back("OnDocWindowActivate");
    return E_NOTIMPL;
}

HRESULT CFakeSite::OnFrameWindowActivate(BOOL) {
    calls.push_back("OnFrameWindowActivate");
    return E_NOTIMPL;
}

HRESULT CFakeSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    calls.push_back("ResizeBorder");
    return E_NOTIMPL;
}

HRESULT CFakeSite::TranslateAccelerator(MSG* lpMsg, const GUID*, DWORD) {
    calls.push_back("TranslateAccelerator");
    if (!lpMsg) return E_POINTER;
    keys.push_back(*lpMsg);
    return consumedKeys.count(lpMsg->wParam) ? S_OK : S_FALSE;
}

HRESULT CFakeSite::GetOptionKeyPath(LPOLESTR*, DWORD) {
    calls.push_back("GetOptionKeyPath");
    return E_NOTIMPL;
}

HRESULT CFakeSite::GetDropTarget(IDropTarget*, IDropTarget** ppDropTarget) {
    calls.push_back("GetDropTarget");
    if (ppDropTarget) *ppDropTarget = nullptr;
    return E_NOTIMPL;
}

HRESULT CFakeSite::GetExternal(IDispatch** ppDispatch) {
    calls.push_back("GetExternal");
    if (!ppDispatch) return E_POINTER;
    if (!external) return E_NOTIMPL;
    return external.CopyTo(ppDispatch);
}

HRESULT CFakeSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) {
    calls.push_back("TranslateUrl");
    if (!ppchURLOut) return E_POINTER;
    *ppchURLOut = nullptr;
    return S_FALSE;
}

HRESULT CFakeSite::FilterDataObject(IDataObject*, IDataObject** ppDORet) {
    calls.push_back("FilterDataObject");
    if (!ppDORet) return E_POINTER;
    *ppDORet = nullptr;
    return S_FALSE;
}

HRESULT CFakeSite::QueryService(REFGUID guidService, REFIID, void** ppvObject) {
    calls.push_back("QueryService");
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (guidService != SID_IAuthenticate) return E_FAIL;
    *ppvObject = static_cast<IAuthenticate*>(this);
    AddRef();
    return S_OK;
}

HRESULT CFakeSite::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) {
    calls.push_back("QueryStatus");
    return OLECMDERR_E_UNKNOWNGROUP;
}

HRESULT CFakeSite::Exec(const GUID*, DWORD nCmdID, DWORD, VARIANT* pvaIn, VARIANT* pvaOut) {
    calls.push_back("Exec " + std::to_string(nCmdID));
    if (nCmdID != OLECMDID_SHOWSCRIPTERROR) return OLECMDERR_E_UNKNOWNGROUP;
    scriptErrors.push_back(pvaIn && pvaIn->vt == VT_BSTR
                               ? std::u16string(pvaIn->bstrVal, SysStringLen(pvaIn->bstrVal))
                               : u"(no text)");
    if (FAILED(execResult)) return execResult;
    if (pvaOut) {
        pvaOut->vt = VT_BOOL;
        pvaOut->boolVal = execAnswer;
    }
    return execResult;
}

// The real site runs a modal dialog here: so does this one, a short nested main loop.
HRESULT CFakeSite::Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) {
    calls.push_back("Authenticate");
    if (!phwnd || !pszUsername || !pszPassword) return E_POINTER;
    *phwnd = nullptr;
    *pszUsername = nullptr;
    *pszPassword = nullptr;
    RunFor(50);
    if (logins.empty()) return E_FAIL;
    const std::optional<Login> login = logins.front();
    logins.pop_front();
    if (!login) return E_FAIL;
    *pszUsername = TaskString(login->first);
    *pszPassword = TaskString(login->second);
    return S_OK;
}

int CFakeSite::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}
