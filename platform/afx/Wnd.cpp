#include "platform/afx/Wnd.h"

#include <unordered_map>

#include "platform/afx/OleControlContainer.h"
#include "platform/afx/OleControlSite.h"
#include "platform/afx/WinApp.h"

namespace {

std::unordered_map<HWND, CWnd*>& PermanentMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd && IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    if (m_hWnd) PermanentMap().erase(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    const auto it = PermanentMap().find(window);
    return it == PermanentMap().end() ? nullptr : it->second;
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (!IsWindow(window) || m_hWnd || FromHandlePermanent(window)) return FALSE;
    m_hWnd = window;
    PermanentMap()[window] = this;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

LRESULT AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = CWnd::FromHandlePermanent(window);
    if (!wnd) return DefWindowProcW(window, message, wParam, lParam);
    const MSG saved = wnd->m_currentMsg;
    wnd->m_currentMsg = MSG{window, message, wParam, lParam, 0, {0, 0}};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        PermanentMap().erase(window);
        wnd->m_hWnd = nullptr;
        wnd->PostNcDestroy();
        return result;
    }
    wnd->m_currentMsg = saved;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        // Commands the window leaves go on to the application.
        if (OnCmdMsg(id) || (AfxGetApp() && AfxGetApp()->OnCmdMsg(id))) {
            *result = 0;
            return TRUE;
        }
        return FALSE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0);
    if (!entry) return FALSE;
    *result = entry->pfn(this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_pfnSuper ? CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam)
                      : DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::CreateControlSite(COleControlContainer*, COleControlSite**, UINT, REFCLSID) {
    return FALSE;
}

BOOL CWnd::CreateControl(REFCLSID clsid, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!parent || !parent->m_hWnd) return FALSE;
    if (!parent->m_pCtrlCont) parent->m_pCtrlCont = new COleControlContainer(parent);
    m_pCtrlSite = parent->m_pCtrlCont->CreateControl(this, clsid, style, rect, id);
    return m_pCtrlSite ? TRUE : FALSE;
}

IUnknown* CWnd::GetControlUnknown() const {
    return m_pCtrlSite ? m_pCtrlSite->m_pObject : nullptr;
}

BOOL CWnd::ModifyStyleEx(HWND window, DWORD remove, DWORD add, UINT) {
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) return FALSE;
    SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(changed));
    return TRUE;
}

CString CWnd::GetWindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return CString(std::move(text));
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

// The hosted controls go with their container, before the child windows are destroyed.
void CWnd::OnDestroy() {
    delete m_pCtrlCont;
    m_pCtrlCont = nullptr;
    Default();
}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {
        OnMessage<&CWnd::OnDestroy>(WM_DESTROY),
    };
    static const AFX_MSGMAP map{&CCmdTarget::GetThisMessageMap, entries, std::size(entries)};
    return &map;
}

BOOL AfxPreTranslateMessage(MSG* msg) {
    for (HWND window = msg->hwnd; window; window = GetParent(window)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(window); wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (GetAncestorRoot(window) == window) break;
    }
    return FALSE;
}
