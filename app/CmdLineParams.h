// The command line's one setting: the start address after the flag "URL".
#pragma once

#include "platform/afx/CommandLineInfo.h"

class CCmdLineParams : public CCommandLineInfo {
public:
    void ParseParam(LPCWSTR param, BOOL flag, BOOL last) override;

    BOOL m_bUrlNext = 0;
    LPCWSTR m_pszUrl = nullptr;  // an argument's text, alive for the whole process
};
