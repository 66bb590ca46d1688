// The host services a browser control asks of its site, in their standard member order.
#pragma once

#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"
#include "platform/win/Geometry.h"
#include "platform/win/Handles.h"
#include "platform/win/Messages.h"

struct IOleInPlaceActiveObject;
struct IOleInPlaceFrame;
struct IOleInPlaceUIWindow;
struct IDropTarget;
struct IDataObject;
struct IOleCommandTarget;

inline constexpr IID IID_IDocHostUIHandler = {
    0xBD3F23C0, 0xD43E, 0x11CF, {0x89, 0x3B, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x1A}};
inline constexpr IID IID_IServiceProvider = {
    0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}};
inline constexpr IID IID_IOleCommandTarget = {
    0xB722BCCB, 0x4E68, 0x101B, {0xA2, 0xBC, 0x00, 0xAA, 0x00, 0x40, 0x47, 0x70}};
inline constexpr IID IID_IAuthenticate = {
    0x79EAC9D0, 0xBAF9, 0x11CE, {0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B}};
inline constexpr GUID SID_IAuthenticate = IID_IAuthenticate;

constexpr DWORD DOCHOSTUIFLAG_DIALOG = 0x1;
constexpr DWORD DOCHOSTUIFLAG_DISABLE_HELP_MENU = 0x2;
constexpr DWORD DOCHOSTUIFLAG_NO3DBORDER = 0x4;
constexpr DWORD DOCHOSTUIFLAG_SCROLL_NO = 0x8;

struct DOCHOSTUIINFO {
    ULONG cbSize;
    DWORD dwFlags;
    DWORD dwDoubleClick;
    OLECHAR* pchHostCss;
    OLECHAR* pchHostNS;
};

struct OLECMD {
    ULONG cmdID;
    DWORD cmdf;
};

struct OLECMDTEXT {
    DWORD cmdtextf;
    ULONG cwActual;
    ULONG cwBuf;
    WCHAR rgwz[1];
};

struct IDocHostUIHandler : IUnknown {
    virtual HRESULT ShowContextMenu(DWORD dwID, POINT* ppt, IUnknown* pcmdtReserved,
                                    IDispatch* pdispReserved) = 0;
    virtual HRESULT GetHostInfo(DOCHOSTUIINFO* pInfo) = 0;
    virtual HRESULT ShowUI(DWORD dwID, IOleInPlaceActiveObject* pActiveObject,
                           IOleCommandTarget* pCommandTarget, IOleInPlaceFrame* pFrame,
                           IOleInPlaceUIWindow* pDoc) = 0;
    virtual HRESULT HideUI() = 0;
    virtual HRESULT UpdateUI() = 0;
    virtual HRESULT EnableModeless(BOOL fEnable) = 0;
    virtual HRESULT OnDocWindowActivate(BOOL fActivate) = 0;
    virtual HRESULT OnFrameWindowActivate(BOOL fActivate) = 0;
    virtual HRESULT ResizeBorder(LPCRECT prcBorder, IOleInPlaceUIWindow* pUIWindow,
                                 BOOL fRameWindow) = 0;
    virtual HRESULT TranslateAccelerator(MSG* lpMsg, const GUID* pguidCmdGroup, DWORD nCmdID) = 0;
    virtual HRESULT GetOptionKeyPath(LPOLESTR* pchKey, DWORD dw) = 0;
    virtual HRESULT GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) = 0;
    virtual HRESULT GetExternal(IDispatch** ppDispatch) = 0;
    virtual HRESULT TranslateUrl(DWORD dwTranslate, LPWSTR pchURLIn, LPWSTR* ppchURLOut) = 0;
    virtual HRESULT FilterDataObject(IDataObject* pDO, IDataObject** ppDORet) = 0;

protected:
    ~IDocHostUIHandler() = default;
};

struct IServiceProvider : IUnknown {
    virtual HRESULT QueryService(REFGUID guidService, REFIID riid, void** ppvObject) = 0;

protected:
    ~IServiceProvider() = default;
};

struct IAuthenticate : IUnknown {
    virtual HRESULT Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) = 0;

protected:
    ~IAuthenticate() = default;
};

struct IOleCommandTarget : IUnknown {
    virtual HRESULT QueryStatus(const GUID* pguidCmdGroup, ULONG cCmds, OLECMD prgCmds[],
                                OLECMDTEXT* pCmdText) = 0;
    virtual HRESULT Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD nCmdexecopt, VARIANT* pvaIn,
                         VARIANT* pvaOut) = 0;

protected:
    ~IOleCommandTarget() = default;
};
