// window.external for the documents of one control. A page's call arrives as JSON text,
// {"name": ..., "args": [...]}, reaches the host's object by name through IDispatch, and is
// answered as JSON text, {"value": ...} or {"error": "..."}, which the page returns or throws.
#pragma once

#include <string>
#include <string_view>

#include "engine/HostSite.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Dispatch.h"

class CExternalBridge {
public:
    // Any text a page sends is answered; nothing it sends fails other than as an error answer.
    std::string Call(std::string_view request, const CHostSite& site);
    // A new document gets the host's object afresh, when it first uses it.
    void Reset();

private:
    CComPtr<IDispatch> External(const CHostSite& site);

    bool m_asked = false;
    CComPtr<IDispatch> m_external;
};
