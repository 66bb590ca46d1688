#include "platform/afx/DataExchange.h"

#include "platform/afx/Wnd.h"

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = GetDlgItem(dx->m_hDlg, id);
    if (!control) return;
    if (dx->m_bSaveAndValidate)
        value = CWnd::GetWindowText(control);
    else
        SetWindowTextW(control, value);
}
