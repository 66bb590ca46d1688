// CReBar: the band container of a dialog's address bar.
#pragma once

#include "platform/afx/Wnd.h"

constexpr UINT AFX_IDW_REBAR = 0xE804;
constexpr DWORD CBRS_ALIGN_TOP = 0x1000;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | 0x0800;

class CReBar : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id = AFX_IDW_REBAR);
    // One band: the child window with its label; its minimum size is the child's present size.
    BOOL AddBar(CWnd* child, LPCWSTR text, void* background, DWORD bandStyle);
};
