// CCommandLineInfo: what the framework's command-line parsing fills in.
#pragma once

#include "platform/afx/String.h"

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;
    // One argument; a flag arrives without its leading "-" or "/".
    virtual void ParseParam(LPCWSTR param, BOOL flag, BOOL last);

    CString m_strFileName;  // the first plain argument
};
