// A control site for tests: it answers the host services as a test sets it up and records,
// in order, every call the engine makes of it. Its defaults are the answers of the program's
// own site, except that it hands out no window.external object until a test gives it one.
#pragma once

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/win/DocHostInterfaces.h"

class CFakeSite final : public IDocHostUIHandler,
                        public IServiceProvider,
                        public IOleCommandTarget,
                        public IAuthenticate {
public:
    using Login = std::pair<std::u16string, std::u16string>;

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IDocHostUIHandler
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
    HRESULT GetExternal(IDispatch** ppDispatch) override;
    HRESULT TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) override;
    HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) override;

    // IServiceProvider
    HRESULT QueryService(REFGUID guidService, REFIID riid, void** ppvObject) override;

    // IOleCommandTarget
    HRESULT QueryStatus(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[],
                        OLECMDTEXT* pCmdText) override;
    HRESULT Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANT* pvaIn,
                 VARIANT* pvaOut) override;

    // IAuthenticate
    HRESULT Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) override;

    int Count(const std::string& call) const;

    // How it answers.
    bool answersHandler = true;
    bool answersCommandTarget = true;
    DWORD hostFlags = DOCHOSTUIFLAG_NO3DBORDER;
    HRESULT contextMenuResult = S_FALSE;
    // Virtual keys TranslateAccelerator consumes (S_OK); others get S_FALSE.
    std::set<WPARAM> consumedKeys;
    // Null: GetExternal fails with E_NOTIMPL.
    CComPtr<IDispatch> external;
    HRESULT execResult = S_OK;
    VARIANT_BOOL execAnswer = VARIANT_TRUE;
    // One per Authenticate call, as the user would answer the prompt; nothing (or none left)
    // means the prompt was cancelled.
    std::deque<std::optional<Login>> logins;

    // What it was asked, in order: the method names, then the details tests look at.
    std::vector<std::string> calls;
    std::vector<ULONG> hostInfoSizes;
    std::vector<POINT> menuPoints;
    std::vector<MSG> keys;
    std::vector<std::u16string> scriptErrors;

private:
    ULONG m_refs = 1;
};
