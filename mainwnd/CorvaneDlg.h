// The main window: the File menu, the address bar and the browser.
#pragma once

#include "platform/afx/ComboBoxEx.h"
#include "platform/afx/DHtmlDialog.h"
#include "platform/afx/ReBar.h"

class CCorvaneDlg : public CDHtmlDialog {
public:
    explicit CCorvaneDlg(CWnd* parent = nullptr);
    ~CCorvaneDlg() override;

    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override { return GetThisEventSinkMap(); }
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnNavigateComplete(IDispatch* disp, LPCWSTR url) override;
    BOOL CreateControlSite(COleControlContainer* container, COleControlSite** site, UINT id,
                           REFCLSID clsid) override;

    static const AFX_MSGMAP* GetThisMessageMap();
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap();

    void NavigateFromAddressBox();
    void OnBrowserDocumentComplete(IDispatch* disp, VARIANT* url);
    void OnClose();
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnSize(UINT type, int cx, int cy);
    void OnExit();
    void OnInternetOptions();

    HICON m_hIcon;
    LPCWSTR m_pszStartUrl;
    CReBar m_wndReBar;
    CComboBoxEx m_wndAddress;

private:
    void CreateAddressBar();
    HWND AddressEdit() const;
};
