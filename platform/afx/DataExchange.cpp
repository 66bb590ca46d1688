#include "platform/afx/DataExchange.h"

#include "platform/win/WindowRecord.h"

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = GetDlgItem(dx->m_hDlg, id);
    if (!control) return;
    if (dx->m_bSaveAndValidate)
        value = CString(ReadWindowText(control));
    else
        SetWindowTextW(control, value);
}
