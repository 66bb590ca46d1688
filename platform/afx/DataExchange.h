// Dialog data exchange between controls and members.
#pragma once

#include "platform/afx/String.h"
#include "platform/win/Window.h"

class CDataExchange {
public:
    CDataExchange(HWND dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_hDlg(dialog) {}
    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    HWND m_hDlg;
};

// The whole text of control id, either way.
void DDX_Text(CDataExchange* dx, int id, CString& value);
