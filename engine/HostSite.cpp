#include "engine/HostSite.h"

#include "platform/com/TaskMem.h"
#include "platform/com/TextConv.h"
#include "platform/com/WebBrowserInterfaces.h"

namespace {

constexpr DWORD kDefaultContextMenu = 0;

std::string FromTaskString(LPWSTR text) {
    return WideToUtf8(std::u16string_view(text, WideLength(text)));
}

}  // namespace

template <class Interface>
CComPtr<Interface> CHostSite::Query(REFIID iid) const {
    CComPtr<Interface> found;
    if (m_site) m_site.QueryInterface(iid, &found);
    return found;
}

DWORD CHostSite::HostFlags() const {
    const CComPtr<IDocHostUIHandler> handler = Query<IDocHostUIHandler>(IID_IDocHostUIHandler);
    if (!handler) return 0;
    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    const HRESULT hr = handler->GetHostInfo(&info);
    // The strings are the caller's to free, though the engine has no use for them.
    CoTaskMemFree(info.pchHostCss);
    CoTaskMemFree(info.pchHostNS);
    return SUCCEEDED(hr) ? info.dwFlags : 0;
}

bool CHostSite::ShowContextMenu(POINT pt) const {
    const CComPtr<IDocHostUIHandler> handler = Query<IDocHostUIHandler>(IID_IDocHostUIHandler);
    return handler && handler->ShowContextMenu(kDefaultContextMenu, &pt, nullptr, nullptr) == S_OK;
}

bool CHostSite::TranslateAccelerator(MSG msg) const {
    const CComPtr<IDocHostUIHandler> handler = Query<IDocHostUIHandler>(IID_IDocHostUIHandler);
    return handler && handler->TranslateAccelerator(&msg, nullptr, 0) == S_OK;
}

CComPtr<IDispatch> CHostSite::External() const {
    const CComPtr<IDocHostUIHandler> handler = Query<IDocHostUIHandler>(IID_IDocHostUIHandler);
    IDispatch* external = nullptr;
    // Whatever a failing call left behind is not a reference to take over.
    if (!handler || FAILED(handler->GetExternal(&external))) return nullptr;
    CComPtr<IDispatch> owned;
    owned.Attach(external);
    return owned;
}

bool CHostSite::ShowScriptError(std::u16string_view description) const {
    const CComPtr<IOleCommandTarget> target = Query<IOleCommandTarget>(IID_IOleCommandTarget);
    if (!target) return false;
    VARIANT in;
    VariantInit(&in);
    in.vt = VT_BSTR;
    in.bstrVal = SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
    VARIANT out;
    VariantInit(&out);
    const HRESULT hr =
        target->Exec(nullptr, OLECMDID_SHOWSCRIPTERROR, OLECMDEXECOPT_DODEFAULT, &in, &out);
    const bool handled = hr == S_OK && out.vt == VT_BOOL && out.boolVal == VARIANT_TRUE;
    VariantClear(&in);
    VariantClear(&out);
    return handled;
}

std::optional<HostCredentials> CHostSite::Authenticate() const {
    const CComPtr<IServiceProvider> services = Query<IServiceProvider>(IID_IServiceProvider);
    CComPtr<IAuthenticate> authenticate;
    if (!services ||
        FAILED(services->QueryService(SID_IAuthenticate, IID_IAuthenticate,
                                      reinterpret_cast<void**>(&authenticate))) ||
        !authenticate) {
        return std::nullopt;
    }
    HWND window = nullptr;
    LPWSTR user = nullptr;
    LPWSTR password = nullptr;
    const HRESULT hr = authenticate->Authenticate(&window, &user, &password);
    std::optional<HostCredentials> credentials;
    if (hr == S_OK && user && password) {
        credentials = HostCredentials{FromTaskString(user), FromTaskString(password)};
    }
    CoTaskMemFree(user);
    CoTaskMemFree(password);
    return credentials;
}
