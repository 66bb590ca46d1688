#include "platform/afx/ReBar.h"

#include "platform/afx/WinApp.h"
#include "platform/win/CommonControls.h"

BOOL CReBar::Create(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id) {
    if (!parent) return FALSE;
    // The framework's alignment bits are its own, not the window's.
    const DWORD windowStyle = (style & ~CBRS_TOP) | ctrlStyle | WS_CHILD;
    HWND window = CreateWindowExW(0, REBARCLASSNAMEW, nullptr, windowStyle, 0, 0, 0, 0,
                                  parent->m_hWnd, id, AfxGetInstanceHandle(), nullptr);
    return window && SubclassWindow(window);
}

BOOL CReBar::AddBar(CWnd* child, LPCWSTR text, void* background, DWORD bandStyle) {
    if (!child || !child->m_hWnd) return FALSE;
    RECT size{};
    child->GetWindowRect(&size);
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | (text ? RBBIM_TEXT : 0);
    band.fStyle = bandStyle;
    band.lpText = const_cast<LPWSTR>(text);
    band.hwndChild = child->m_hWnd;
    band.cxMinChild = static_cast<UINT>(size.right - size.left);
    band.cyMinChild = static_cast<UINT>(size.bottom - size.top);
    band.hbmBack = background;
    return SendMessage(RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band))
               ? TRUE
               : FALSE;
}
