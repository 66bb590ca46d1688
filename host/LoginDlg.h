// CLoginDlg: asks for the user name and password a web server demands.
#pragma once

#include "platform/afx/Dialog.h"

class CLoginDlg : public CDialog {
public:
    CLoginDlg();

    CString m_strPassword;
    CString m_strUsername;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
