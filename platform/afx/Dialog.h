// CDialog: a dialog from a template, run modally with DoModal or modeless with Create.
#pragma once

#include "platform/afx/DataExchange.h"
#include "platform/afx/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs a nested main loop until EndDialog; the owner is disabled meanwhile. Without a
    // parent the owner is the most recently active window of the main window's family.
    virtual INT_PTR DoModal();
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    BOOL PreTranslateMessage(MSG* msg) override;

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }

    CWnd* m_pParentWnd;

protected:
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }
    void PostNcDestroy() override { m_bModalDone = true; }

private:
    friend LRESULT AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    HWND ModalOwner() const;
    BOOL CreateFromTemplate(UINT templateId, HWND owner);

    UINT m_nIDTemplate;
    int m_nModalResult = -1;
    bool m_bModalDone = true;
};

// Keys the dialog manager would take are not for the dialog while this flag is set.
constexpr UINT WF_NOISDIALOGMSG = 0x1000;
