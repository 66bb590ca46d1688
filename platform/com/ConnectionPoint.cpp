#include "platform/com/ConnectionPoint.h"

#include <algorithm>

#include "platform/com/ComPtr.h"

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* container, REFIID eventIid)
    : m_container(container), m_eventIid(eventIid) {}

CConnectionPoint::~CConnectionPoint() {
    UnadviseAll();
}

HRESULT CConnectionPoint::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
    *ppvObject = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

ULONG CConnectionPoint::AddRef() {
    return m_container->AddRef();
}

ULONG CConnectionPoint::Release() {
    return m_container->Release();
}

HRESULT CConnectionPoint::GetConnectionInterface(IID* pIID) {
    if (!pIID) return E_POINTER;
    *pIID = m_eventIid;
    return S_OK;
}

HRESULT CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC) {
    if (!ppCPC) return E_POINTER;
    *ppCPC = m_container;
    m_container->AddRef();
    return S_OK;
}

HRESULT CConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie) {
    if (!pdwCookie) return E_POINTER;
    *pdwCookie = 0;
    if (!pUnkSink) return E_POINTER;
    // The event interface is a dispinterface, so what it answers can be called as an IDispatch.
    void* sink = nullptr;
    if (FAILED(pUnkSink->QueryInterface(m_eventIid, &sink)) &&
        FAILED(pUnkSink->QueryInterface(IID_IDispatch, &sink))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    const DWORD cookie = m_nextCookie++;
    m_sinks.emplace_back(cookie, static_cast<IDispatch*>(sink));
    *pdwCookie = cookie;
    return S_OK;
}

HRESULT CConnectionPoint::Unadvise(DWORD dwCookie) {
    const auto it = FindSink(dwCookie);
    if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    IDispatch* sink = it->second;
    // Out of the list before the Release, which may call back into this connection point.
    m_sinks.erase(it);
    sink->Release();
    return S_OK;
}

HRESULT CConnectionPoint::EnumConnections(IEnumConnections** ppEnum) {
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    return E_NOTIMPL;
}

void CConnectionPoint::Fire(DISPID id, DISPPARAMS* params) {
    // A sink may drop the last outside reference to the container, and with it this object.
    const CComPtr<IConnectionPointContainer> keepAlive(m_container);
    std::vector<DWORD> cookies;
    cookies.reserve(m_sinks.size());
    for (const auto& entry : m_sinks) cookies.push_back(entry.first);
    for (const DWORD cookie : cookies) {
        const auto it = FindSink(cookie);
        if (it == m_sinks.end()) continue;
        // Held for the call, in case the sink unadvises itself from inside it.
        const CComPtr<IDispatch> sink(it->second);
        sink->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, nullptr, nullptr,
                     nullptr);
    }
}

void CConnectionPoint::UnadviseAll() {
    // Emptied before any Release, which may call back into this connection point.
    const auto sinks = std::exchange(m_sinks, {});
    for (const auto& entry : sinks) entry.second->Release();
}

CConnectionPoint::Sinks::iterator CConnectionPoint::FindSink(DWORD cookie) {
    return std::find_if(m_sinks.begin(), m_sinks.end(),
                        [&](const auto& entry) { return entry.first == cookie; });
}
