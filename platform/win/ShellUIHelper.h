// The shell's ShellUIHelper class: the object a page reaches as window.external.
#pragma once

#include "platform/com/Dispatch.h"

inline constexpr CLSID CLSID_ShellUIHelper = {
    0x64AB4BB7, 0x111E, 0x11D1, {0x8F, 0x79, 0x00, 0xC0, 0x4F, 0xC2, 0xFB, 0xE1}};
inline constexpr IID IID_IShellUIHelper = {
    0x729FE2F8, 0x1EA8, 0x11D1, {0x8F, 0x85, 0x00, 0xC0, 0x4F, 0xC2, 0xFB, 0xE1}};

struct IShellUIHelper : IDispatch {
    virtual HRESULT ResetFirstBootMode() = 0;
    virtual HRESULT ResetSafeMode() = 0;
    virtual HRESULT RefreshOfflineDesktop() = 0;
    virtual HRESULT AddFavorite(BSTR URL, VARIANT* Title) = 0;
    virtual HRESULT AddChannel(BSTR URL) = 0;
    virtual HRESULT AddDesktopComponent(BSTR URL, BSTR Type, VARIANT* Left, VARIANT* Top,
                                        VARIANT* Width, VARIANT* Height) = 0;
    virtual HRESULT IsSubscribed(BSTR URL, VARIANT_BOOL* pBool) = 0;
    virtual HRESULT NavigateAndFind(BSTR URL, BSTR strQuery, VARIANT* varTargetFrame) = 0;
    virtual HRESULT ImportExportFavorites(VARIANT_BOOL fImport, BSTR strImpExpPath) = 0;
    virtual HRESULT AutoCompleteSaveForm(VARIANT* Form) = 0;
    virtual HRESULT AutoScan(BSTR strSearch, BSTR strFailureUrl, VARIANT* pvarTargetFrame) = 0;
    virtual HRESULT AutoCompleteAttach(VARIANT* Reserved) = 0;
    virtual HRESULT ShowBrowserUI(BSTR bstrName, VARIANT* pvarIn, VARIANT* pvarOut) = 0;

protected:
    ~IShellUIHelper() = default;
};

// Makes the shell's classes (ShellUIHelper) available to CoCreateInstance.
void RegisterShellClasses();
