// The WebBrowser control's interfaces and event ids, in their standard member order.
#pragma once

#include "platform/com/Bstr.h"
#include "platform/com/Dispatch.h"
#include "platform/com/Variant.h"

using SHANDLE_PTR = std::intptr_t;

enum OLECMDID : int {
    OLECMDID_SHOWSCRIPTERROR = 40,
    OLECMDID_OPTICAL_ZOOM = 63,
};

enum OLECMDEXECOPT : int {
    OLECMDEXECOPT_DODEFAULT = 0,
    OLECMDEXECOPT_PROMPTUSER = 1,
    OLECMDEXECOPT_DONTPROMPTUSER = 2,
    OLECMDEXECOPT_SHOWHELP = 3,
};

enum OLECMDF : int {
    OLECMDF_SUPPORTED = 0x1,
    OLECMDF_ENABLED = 0x2,
};

enum READYSTATE : int {
    READYSTATE_UNINITIALIZED = 0,
    READYSTATE_LOADING = 1,
    READYSTATE_LOADED = 2,
    READYSTATE_INTERACTIVE = 3,
    READYSTATE_COMPLETE = 4,
};

inline constexpr CLSID CLSID_WebBrowser = {
    0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
inline constexpr IID IID_IWebBrowser = {
    0xEAB22AC1, 0x30C1, 0x11CF, {0xA7, 0xEB, 0x00, 0x00, 0xC0, 0x5B, 0xAE, 0x0B}};
inline constexpr IID IID_IWebBrowserApp = {
    0x0002DF05, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IWebBrowser2 = {
    0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};
inline constexpr IID DIID_DWebBrowserEvents2 = {
    0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

// DWebBrowserEvents2 dispatch ids.
constexpr DISPID DISPID_TITLECHANGE = 113;
constexpr DISPID DISPID_BEFORENAVIGATE2 = 250;
constexpr DISPID DISPID_NEWWINDOW2 = 251;
constexpr DISPID DISPID_NAVIGATECOMPLETE2 = 252;
constexpr DISPID DISPID_DOCUMENTCOMPLETE = 259;
constexpr DISPID DISPID_WINDOWCLOSING = 263;
constexpr DISPID DISPID_NEWWINDOW3 = 273;

struct IWebBrowser : IDispatch {
    virtual HRESULT GoBack() = 0;
    virtual HRESULT GoForward() = 0;
    virtual HRESULT GoHome() = 0;
    virtual HRESULT GoSearch() = 0;
    virtual HRESULT Navigate(BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                             VARIANT* Headers) = 0;
    virtual HRESULT Refresh() = 0;
    virtual HRESULT Refresh2(VARIANT* Level) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT get_Application(IDispatch** ppDisp) = 0;
    virtual HRESULT get_Parent(IDispatch** ppDisp) = 0;
    virtual HRESULT get_Container(IDispatch** ppDisp) = 0;
    virtual HRESULT get_Document(IDispatch** ppDisp) = 0;
    virtual HRESULT get_TopLevelContainer(VARIANT_BOOL* pBool) = 0;
    virtual HRESULT get_Type(BSTR* Type) = 0;
    virtual HRESULT get_Left(LONG* pl) = 0;
    virtual HRESULT put_Left(LONG Left) = 0;
    virtual HRESULT get_Top(LONG* pl) = 0;
    virtual HRESULT put_Top(LONG Top) = 0;
    virtual HRESULT get_Width(LONG* pl) = 0;
    virtual HRESULT put_Width(LONG Width) = 0;
    virtual HRESULT get_Height(LONG* pl) = 0;
    virtual HRESULT put_Height(LONG Height) = 0;
    virtual HRESULT get_LocationName(BSTR* LocationName) = 0;
    virtual HRESULT get_LocationURL(BSTR* LocationURL) = 0;
    virtual HRESULT get_Busy(VARIANT_BOOL* pBool) = 0;

protected:
    ~IWebBrowser() = default;
};

struct IWebBrowserApp : IWebBrowser {
    virtual HRESULT Quit() = 0;
    virtual HRESULT ClientToWindow(int* pcx, int* pcy) = 0;
    virtual HRESULT PutProperty(BSTR Property, VARIANT vtValue) = 0;
    virtual HRESULT GetProperty(BSTR Property, VARIANT* pvtValue) = 0;
    virtual HRESULT get_Name(BSTR* Name) = 0;
    virtual HRESULT get_HWND(SHANDLE_PTR* pHWND) = 0;
    virtual HRESULT get_FullName(BSTR* FullName) = 0;
    virtual HRESULT get_Path(BSTR* Path) = 0;
    virtual HRESULT get_Visible(VARIANT_BOOL* pBool) = 0;
    virtual HRESULT put_Visible(VARIANT_BOOL Value) = 0;
    virtual HRESULT get_StatusBar(VARIANT_BOOL* pBool) = 0;
    virtual HRESULT put_StatusBar(VARIANT_BOOL Value) = 0;
    virtual HRESULT get_StatusText(BSTR* StatusText) = 0;
    virtual HRESULT put_StatusText(BSTR StatusText) = 0;
    virtual HRESULT get_ToolBar(int* Value) = 0;
    virtual HRESULT put_ToolBar(int Value) = 0;
    virtual HRESULT get_MenuBar(VARIANT_BOOL* Value) = 0;
    virtual HRESULT put_MenuBar(VARIANT_BOOL Value) = 0;
    virtual HRESULT get_FullScreen(VARIANT_BOOL* pbFullScreen) = 0;
    virtual HRESULT put_FullScreen(VARIANT_BOOL bFullScreen) = 0;

protected:
    ~IWebBrowserApp() = default;
};

struct IWebBrowser2 : IWebBrowserApp {
    virtual HRESULT Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName,
                              VARIANT* PostData, VARIANT* Headers) = 0;
    virtual HRESULT QueryStatusWB(OLECMDID cmdID, OLECMDF* pcmdf) = 0;
    virtual HRESULT ExecWB(OLECMDID cmdID, OLECMDEXECOPT cmdexecopt, VARIANT* pvaIn,
                           VARIANT* pvaOut) = 0;
    virtual HRESULT ShowBrowserBar(VARIANT* pvaClsid, VARIANT* pvarShow, VARIANT* pvarSize) = 0;
    virtual HRESULT get_ReadyState(READYSTATE* plReadyState) = 0;
    virtual HRESULT get_Offline(VARIANT_BOOL* pbOffline) = 0;
    virtual HRESULT put_Offline(VARIANT_BOOL bOffline) = 0;
    virtual HRESULT get_Silent(VARIANT_BOOL* pbSilent) = 0;
    virtual HRESULT put_Silent(VARIANT_BOOL bSilent) = 0;
    virtual HRESULT get_RegisterAsBrowser(VARIANT_BOOL* pbRegister) = 0;
    virtual HRESULT put_RegisterAsBrowser(VARIANT_BOOL bRegister) = 0;
    virtual HRESULT get_RegisterAsDropTarget(VARIANT_BOOL* pbRegister) = 0;
    virtual HRESULT put_RegisterAsDropTarget(VARIANT_BOOL bRegister) = 0;
    virtual HRESULT get_TheaterMode(VARIANT_BOOL* pbRegister) = 0;
    virtual HRESULT put_TheaterMode(VARIANT_BOOL bRegister) = 0;
    virtual HRESULT get_AddressBar(VARIANT_BOOL* Value) = 0;
    virtual HRESULT put_AddressBar(VARIANT_BOOL Value) = 0;
    virtual HRESULT get_Resizable(VARIANT_BOOL* Value) = 0;
    virtual HRESULT put_Resizable(VARIANT_BOOL Value) = 0;

protected:
    ~IWebBrowser2() = default;
};
