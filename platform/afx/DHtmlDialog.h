// CDHtmlDialog: a dialog whose client area is a hosted WebBrowser control showing HTML.
#pragma once

#include "platform/afx/Dialog.h"
#include "platform/com/ComPtr.h"
#include "platform/com/HtmlDocumentInterfaces.h"
#include "platform/com/WebBrowserInterfaces.h"
#include "platform/win/DocHostInterfaces.h"

constexpr UINT AFX_IDC_BROWSER = 102;

class CDHtmlDialog : public CDialog {
public:
    CDHtmlDialog(UINT templateId, UINT htmlResId, CWnd* parent = nullptr);
    ~CDHtmlDialog() override;

    BOOL OnInitDialog() override;
    virtual void OnBeforeNavigate(IDispatch* disp, LPCWSTR url);
    virtual void OnNavigateComplete(IDispatch* disp, LPCWSTR url);
    virtual void OnDocumentComplete(IDispatch* disp, LPCWSTR url);

    // Loads the program's HTML resource id: "res://" + program path + "/" + id.
    BOOL LoadFromResource(UINT htmlResId);
    // No flags, target frame, headers or post data: this program never sends any.
    void Navigate(LPCWSTR url);
    HRESULT GetDHtmlDocument(IHTMLDocument2** document);
    void GetCurrentUrl(CString& url) const { url = m_strCurrentUrl; }

    void OnSize(UINT type, int cx, int cy);
    void OnDestroy();

    // The answers to the engine's UI-handler questions, in the interface's order; a control
    // site passes them on, so a dialog changes how its page behaves by overriding them.
    virtual HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                    IDispatch* pdispReserved);
    virtual HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo);
    virtual HRESULT ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                           IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                           IOleInPlaceUIWindow* pDoc);
    virtual HRESULT HideUI();
    virtual HRESULT UpdateUI();
    virtual HRESULT EnableModeless(BOOL fEnable);
    virtual HRESULT OnDocWindowActivate(BOOL fActivate);
    virtual HRESULT OnFrameWindowActivate(BOOL fActivate);
    virtual HRESULT ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                 BOOL fRameWindow);
    virtual HRESULT TranslateAccelerator(MSG* lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID);
    virtual HRESULT GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw);
    virtual HRESULT GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget);
    virtual HRESULT GetExternal(IDispatch** ppDispatch);
    virtual HRESULT TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut);
    virtual HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet);

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap();
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

    DWORD m_dwHostFlags;
    UINT m_nHtmlResID;
    IWebBrowser2* m_pBrowserApp = nullptr;
    CWnd m_wndBrowser;

protected:
    void OnBeforeNavigate2(IDispatch* disp, VARIANT* url, VARIANT* flags, VARIANT* targetFrame,
                           VARIANT* postData, VARIANT* headers, VARIANT_BOOL* cancel);
    void OnNavigateComplete2(IDispatch* disp, VARIANT* url);
    void OnDocumentComplete2(IDispatch* disp, VARIANT* url);
    bool IsTopLevelBrowser(IDispatch* disp) const;

    CComPtr<IHTMLDocument2> m_spHtmlDoc;
    CString m_strCurrentUrl;

private:
    // The dialog's connection to its control's DWebBrowserEvents2.
    class CEventSink : public IDispatch {
    public:
        explicit CEventSink(CDHtmlDialog* owner) : m_owner(owner) {}
        HRESULT QueryInterface(REFIID iid, void** object) override;
        ULONG AddRef() override { return 1; }
        ULONG Release() override { return 1; }
        HRESULT GetTypeInfoCount(UINT* count) override;
        HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
        HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
        HRESULT Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* excepInfo, UINT* argErr) override;

    private:
        CDHtmlDialog* m_owner;
    };

    void ConnectEvents();
    void DisconnectEvents();

    CEventSink m_eventSink{this};
    DWORD m_dwEventCookie = 0;
};
