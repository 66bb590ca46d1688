#include "host/LoginDlg.h"

#include "res/ResourceIds.h"

CLoginDlg::CLoginDlg() : CDialog(IDD_LOGIN_DIALOG, nullptr) {}

void CLoginDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Text(dx, IDC_PASSWORD, m_strPassword);
    DDX_Text(dx, IDC_USERNAME, m_strUsername);
}
