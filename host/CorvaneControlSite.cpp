#include "host/CorvaneControlSite.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "host/LoginDlg.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/TaskMem.h"
#include "platform/com/WebBrowserInterfaces.h"
#include "platform/win/ShellUIHelper.h"

namespace {

// A site that outlives its dialog answers as a dialog that overrides nothing would.
CDHtmlDialog& HandlerOf(CDHtmlDialog* dialog) {
    static CDHtmlDialog platformDefaults(0, 0);
    return dialog ? *dialog : platformDefaults;
}

template <auto Handler, class... Args>
HRESULT Forward(CDHtmlDialog* dialog, Args... args) {
    return (HandlerOf(dialog).*Handler)(args...);
}

struct TaskMemFree {
    void operator()(WCHAR* text) const { CoTaskMemFree(text); }
};
using TaskMemText = std::unique_ptr<WCHAR, TaskMemFree>;

// Exactly length + 1 code units, terminator included; null when memory runs out.
TaskMemText CopyToTaskMem(const CString& text) {
    const auto units = static_cast<std::size_t>(text.GetLength()) + 1;
    TaskMemText copy(static_cast<WCHAR*>(CoTaskMemAlloc(units * sizeof(WCHAR))));
    if (copy) std::copy_n(text.GetString(), units, copy.get());
    return copy;
}

}  // namespace

CCorvaneControlSite::CCorvaneControlSite(COleControlContainer* container, CDHtmlDialog* dialog)
    : COleControlSite(container), m_pDialog(dialog) {}

CCorvaneControlSite::~CCorvaneControlSite() {
    m_pDialog = nullptr;
}

// IAuthenticate is left out on purpose: only QueryService hands it out.
IUnknown* CCorvaneControlSite::GetInterfaceHook(REFIID iid) {
    const std::pair<const IID*, IUnknown*> answers[] = {
        {&IID_IDocHostUIHandler, static_cast<IDocHostUIHandler*>(this)},
        {&IID_IServiceProvider, static_cast<IServiceProvider*>(this)},
        {&IID_IOleCommandTarget, static_cast<IOleCommandTarget*>(this)},
    };
    for (const auto& [id, answer] : answers)
        if (IsEqualGUID(iid, *id)) return answer;
    return nullptr;
}

HRESULT CCorvaneControlSite::QueryInterface(REFIID riid, void** ppvObject) {
    return ExternalQueryInterface(riid, ppvObject);
}

ULONG CCorvaneControlSite::AddRef() {
    return ExternalAddRef();
}

ULONG CCorvaneControlSite::Release() {
    return ExternalRelease();
}

HRESULT CCorvaneControlSite::ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                             IDispatch* pdispReserved) {
    return Forward<&CDHtmlDialog::ShowContextMenu>(m_pDialog, dwID, ppt, pcmdtReserved,
                                                   pdispReserved);
}

HRESULT CCorvaneControlSite::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    return Forward<&CDHtmlDialog::GetHostInfo>(m_pDialog, pInfo);
}

HRESULT CCorvaneControlSite::ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                                    IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                                    IOleInPlaceUIWindow* pDoc) {
    return Forward<&CDHtmlDialog::ShowUI>(m_pDialog, dwID, pActiveObject, pCommandTarget, pFrame,
                                          pDoc);
}

HRESULT CCorvaneControlSite::HideUI() {
    return Forward<&CDHtmlDialog::HideUI>(m_pDialog);
}

HRESULT CCorvaneControlSite::UpdateUI() {
    return Forward<&CDHtmlDialog::UpdateUI>(m_pDialog);
}

HRESULT CCorvaneControlSite::EnableModeless(BOOL fEnable) {
    return Forward<&CDHtmlDialog::EnableModeless>(m_pDialog, fEnable);
}

HRESULT CCorvaneControlSite::OnDocWindowActivate(BOOL fActivate) {
    return Forward<&CDHtmlDialog::OnDocWindowActivate>(m_pDialog, fActivate);
}

HRESULT CCorvaneControlSite::OnFrameWindowActivate(BOOL fActivate) {
    return Forward<&CDHtmlDialog::OnFrameWindowActivate>(m_pDialog, fActivate);
}

HRESULT CCorvaneControlSite::ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                          BOOL fRameWindow) {
    return Forward<&CDHtmlDialog::ResizeBorder>(m_pDialog, prcBorder, pUIWindow, fRameWindow);
}

HRESULT CCorvaneControlSite::TranslateAccelerator(MSG* lpMsg, const GUID* pguidCmdGroup,
                                                  DWORD nCmdID) {
    return Forward<&CDHtmlDialog::TranslateAccelerator>(m_pDialog, lpMsg, pguidCmdGroup, nCmdID);
}

HRESULT CCorvaneControlSite::GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) {
    return Forward<&CDHtmlDialog::GetOptionKeyPath>(m_pDialog, pchKey, dw);
}

HRESULT CCorvaneControlSite::GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) {
    return Forward<&CDHtmlDialog::GetDropTarget>(m_pDialog, pDropTarget, ppDropTarget);
}

HRESULT CCorvaneControlSite::GetExternal(IDispatch** ppDispatch) {
    if (!ppDispatch) return E_NOTIMPL;
    IShellUIHelper* helper = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellUIHelper, nullptr, CLSCTX_SERVER, IID_IShellUIHelper,
                                reinterpret_cast<void**>(&helper))) ||
        !helper)
        return E_NOTIMPL;
    *ppDispatch = helper;
    return S_OK;
}

HRESULT CCorvaneControlSite::TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) {
    return Forward<&CDHtmlDialog::TranslateUrl>(m_pDialog, dwTranslate, pchURLIn, ppchURLOut);
}

HRESULT CCorvaneControlSite::FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) {
    return Forward<&CDHtmlDialog::FilterDataObject>(m_pDialog, pDO, ppDORet);
}

// Whatever interface is asked for under the authentication service, IAuthenticate answers.
HRESULT CCorvaneControlSite::QueryService(REFGUID guidService, REFIID, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (!IsEqualGUID(guidService, SID_IAuthenticate)) return E_FAIL;
    *ppvObject = static_cast<IAuthenticate*>(this);
    ExternalAddRef();
    return S_OK;
}

// The window slot stays null: the engine is never asked to show a prompt of its own.
HRESULT CCorvaneControlSite::Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) {
    if (phwnd) *phwnd = nullptr;
    if (pszUsername) *pszUsername = nullptr;
    if (pszPassword) *pszPassword = nullptr;
    if (!pszUsername || !pszPassword) return E_POINTER;
    CLoginDlg dialog;
    if (dialog.DoModal() != IDOK || dialog.m_strUsername.IsEmpty() ||
        dialog.m_strPassword.IsEmpty())
        return E_FAIL;
    // Both buffers or neither: the engine never gets half an answer.
    TaskMemText username = CopyToTaskMem(dialog.m_strUsername);
    if (!username) return E_FAIL;
    TaskMemText password = CopyToTaskMem(dialog.m_strPassword);
    if (!password) return E_FAIL;
    *pszUsername = username.release();
    *pszPassword = password.release();
    return S_OK;
}

HRESULT CCorvaneControlSite::QueryStatus(const GUID*, ULONG, OLECMD[], OLECMDTEXT*) {
    return OLECMDERR_E_UNKNOWNGROUP;
}

// S_OK with VARIANT_TRUE tells the engine to show no script-error dialog and keep running the
// page's scripts, whatever the command group.
HRESULT CCorvaneControlSite::Exec(const GUID*, DWORD nCmdID, DWORD, VARIANT*, VARIANT* pvaOut) {
    if (nCmdID != OLECMDID_SHOWSCRIPTERROR) return OLECMDERR_E_UNKNOWNGROUP;
    if (pvaOut) {
        pvaOut->vt = VT_BOOL;
        pvaOut->boolVal = VARIANT_TRUE;
    }
    return S_OK;
}

BOOL CreateCorvaneControlSite(CDHtmlDialog* dialog, COleControlContainer* container,
                              COleControlSite** site) {
    if (!site) return FALSE;
    *site = new (std::nothrow) CCorvaneControlSite(container, dialog);
    return *site ? TRUE : FALSE;
}
