#include "platform/afx/ComboBoxEx.h"

#include "platform/afx/WinApp.h"
#include "platform/win/CommonControls.h"

BOOL CComboBoxEx::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!parent) return FALSE;
    HWND window = CreateWindowExW(0, WC_COMBOBOXEXW, nullptr, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent->m_hWnd,
                                  id, AfxGetInstanceHandle(), nullptr);
    return window && SubclassWindow(window);
}
