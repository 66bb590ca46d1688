// CComboBoxEx: an extended combo box with an edit field.
#pragma once

#include "platform/afx/Wnd.h"

class CComboBoxEx : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
};
