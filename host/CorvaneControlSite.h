// CCorvaneControlSite: the site of every browser control a dialog hosts. The engine asks it
// how to behave: the dialog's UI-handler answers, window.external, credentials for a server,
// and what to do about a page's script errors.
#pragma once

#include "platform/afx/DHtmlDialog.h"
#include "platform/afx/OleControlSite.h"
#include "platform/win/DocHostInterfaces.h"

class CCorvaneControlSite : public COleControlSite,
                            public IDocHostUIHandler,
                            public IServiceProvider,
                            public IAuthenticate,
                            public IOleCommandTarget {
public:
    CCorvaneControlSite(COleControlContainer* container, CDHtmlDialog* dialog);
    ~CCorvaneControlSite() override;

    // The one IUnknown of all four interfaces: the site's COM identity.
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IDocHostUIHandler: the dialog's handler methods answer, except GetExternal.
    HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                            IDispatch* pdispReserved) override;
    HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) override;
    HRESULT ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                   IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                   IOleInPlaceUIWindow* pDoc) override;
    HRESULT HideUI() override;
    HRESULT UpdateUI() override;
    HRESULT EnableModeless(BOOL fEnable) override;
    HRESULT OnDocWindowActivate(BOOL fActivate) override;
    HRESULT OnFrameWindowActivate(BOOL fActivate) override;
    HRESULT ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                         BOOL fRameWindow) override;
    HRESULT TranslateAccelerator(MSG* lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) override;
    HRESULT GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) override;
    HRESULT GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override;
    // A new ShellUIHelper at each request; the caller's pointer is kept when none can be made.
    HRESULT GetExternal(IDispatch** ppDispatch) override;
    HRESULT TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
    HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;

    // IServiceProvider: authentication is the only service.
    HRESULT QueryService(REFGUID guidService, REFIID riid, void** ppvObject) override;

    // IAuthenticate: asks the user; on S_OK the caller owns both buffers (CoTaskMemFree).
    HRESULT Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) override;

    // IOleCommandTarget: only script errors are handled, by keeping the page quiet.
    HRESULT QueryStatus(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[],
                        OLECMDTEXT* pCmdText) override;
    HRESULT Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANT* pvaIn,
                 VARIANT* pvaOut) override;

    CDHtmlDialog* m_pDialog;  // the dialog whose control this is; not owned, no reference

protected:
    IUnknown* GetInterfaceHook(REFIID iid) override;
};

// The control-site factory body of the browser dialogs: every control that dialog's container
// creates, whatever its class, gets a CCorvaneControlSite. FALSE when site is null or out of
// memory.
BOOL CreateCorvaneControlSite(CDHtmlDialog* dialog, COleControlContainer* container,
                              COleControlSite** site);
