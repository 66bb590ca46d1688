#include "app/CmdLineParams.h"

namespace {

bool IsUrlFlag(LPCWSTR text) {
    const auto upper = [](WCHAR c) { return c >= u'a' && c <= u'z' ? WCHAR(c - 32) : c; };
    return text && upper(text[0]) == u'U' && upper(text[1]) == u'R' && upper(text[2]) == u'L' &&
           text[3] == 0;
}

}  // namespace

// After the URL flag, the last plain argument is the start address; any other flag ends that.
void CCmdLineParams::ParseParam(LPCWSTR param, BOOL flag, BOOL last) {
    if (flag && IsUrlFlag(param)) {
        m_bUrlNext = 1;
        return;
    }
    if (flag) {
        m_bUrlNext = 0;
        CCommandLineInfo::ParseParam(param, flag, last);
        return;
    }
    if (m_bUrlNext) {
        m_pszUrl = param;
        return;
    }
    CCommandLineInfo::ParseParam(param, flag, last);
}
