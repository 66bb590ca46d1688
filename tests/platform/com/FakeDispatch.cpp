#include "tests/platform/com/FakeDispatch.h"

#include <algorithm>

FakeDispatch::FakeDispatch(std::vector<IID> interfaces) : m_interfaces(std::move(interfaces)) {}

HRESULT FakeDispatch::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (std::find(m_interfaces.begin(), m_interfaces.end(), riid) == m_interfaces.end()) {
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (!ppTInfo) return E_POINTER;
    *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* rgDispId) {
    if (!rgDispId) return E_POINTER;
    return DISP_E_UNKNOWNNAME;
}

HRESULT FakeDispatch::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                             DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                             UINT* puArgErr) {
    m_calls.push_back(
        {dispIdMember, riid, lcid, wFlags, pDispParams, !pVarResult && !pExcepInfo && !puArgErr});
    if (m_onInvoke) m_onInvoke();
    return S_OK;
}
