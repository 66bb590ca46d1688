// The common controls this program uses: the rebar and the extended combo box.
#pragma once

#include "platform/win/Window.h"

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
constexpr DWORD ICC_WIN95_CLASSES = 0xFF;
// GTK needs no class registration: accepted, nothing to do.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CBEM_GETEDITCONTROL = WM_USER + 7;
constexpr UINT CBEM_INSERTITEMW = WM_USER + 11;
constexpr UINT CBEM_GETITEMW = WM_USER + 13;
constexpr UINT CBEM_DELETEITEM = CB_DELETESTRING;
constexpr UINT CBEIF_TEXT = 0x1;

struct COMBOBOXEXITEMW {
    UINT mask;
    std::intptr_t iItem;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    int iSelectedImage;
    int iOverlay;
    int iIndent;
    LPARAM lParam;
};

constexpr DWORD RBS_AUTOSIZE = 0x2000;
constexpr UINT RB_INSERTBANDW = WM_USER + 10;
constexpr UINT RBBIM_STYLE = 0x1;
constexpr UINT RBBIM_TEXT = 0x4;
constexpr UINT RBBIM_CHILD = 0x10;
constexpr UINT RBBIM_CHILDSIZE = 0x20;
constexpr UINT RBBS_NOGRIPPER = 0x100;

struct REBARBANDINFOW {
    UINT cbSize;
    UINT fMask;
    UINT fStyle;
    DWORD clrFore;
    DWORD clrBack;
    LPWSTR lpText;
    UINT cch;
    int iImage;
    HWND hwndChild;
    UINT cxMinChild;
    UINT cyMinChild;
    UINT cx;
    void* hbmBack;
    UINT wID;
    UINT cyChild;
    UINT cyMaxChild;
    UINT cyIntegral;
    UINT cxIdeal;
    LPARAM lParam;
    UINT cxHeader;
    RECT rcChevronLocation;
    UINT uChevronState;
};
