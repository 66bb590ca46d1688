// The control's view of its site: the host services it asks for, each answered with the engine's
// default when the site lacks the service or fails.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com/ComPtr.h"
#include "platform/win/DocHostInterfaces.h"

struct HostCredentials {
    std::string user;
    std::string password;
};

class CHostSite {
public:
    void Set(IUnknown* site) { m_site = site; }
    void Release() { m_site.Release(); }

    // DOCHOSTUIFLAG_* of the host; 0 when it gives none.
    DWORD HostFlags() const;
    // True when the host showed a menu of its own at pt (screen coordinates).
    bool ShowContextMenu(POINT pt) const;
    // True when the host consumed the key.
    bool TranslateAccelerator(MSG msg) const;
    // The object behind window.external; null when the host has none.
    CComPtr<IDispatch> External() const;
    // True when the host took care of the script error, so the engine shows nothing.
    bool ShowScriptError(std::u16string_view description) const;
    // What the host's IAuthenticate answers; nothing unless it gave both strings.
    std::optional<HostCredentials> Authenticate() const;

private:
    template <class Interface>
    CComPtr<Interface> Query(REFIID iid) const;

    CComPtr<IUnknown> m_site;
};
