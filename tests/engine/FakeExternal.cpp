#include "tests/engine/FakeExternal.h"

#include <sstream>

#include "platform/com/TextConv.h"

namespace {

std::string Describe(const VARIANT& v) {
    std::ostringstream text;
    switch (v.vt) {
        case VT_EMPTY:
            return "EMPTY";
        case VT_BSTR:
            return "BSTR:" + WideToUtf8({v.bstrVal, SysStringLen(v.bstrVal)});
        case VT_I4:
            text << "I4:" << v.lVal;
            return text.str();
        case VT_R8:
            text << "R8:" << v.dblVal;
            return text.str();
        case VT_BOOL:
            text << "BOOL:" << v.boolVal;
            return text.str();
        default:
            text << "VT " << v.vt;
            return text.str();
    }
}

}  // namespace

HRESULT CFakeExternal::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch) return E_NOINTERFACE;
    *ppvObject = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG CFakeExternal::AddRef() {
    return ++m_refs;
}

ULONG CFakeExternal::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
}

HRESULT CFakeExternal::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CFakeExternal::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
    if (ppTInfo) *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CFakeExternal::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                                     DISPID* rgDispId) {
    if (!rgszNames || !rgDispId || cNames != 1) return E_INVALIDARG;
    *rgDispId = DISPID_UNKNOWN;
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        if (m_members[i].first == rgszNames[0]) {
            *rgDispId = static_cast<DISPID>(i + 1);
            return S_OK;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT CFakeExternal::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* params,
                              VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT*) {
    if (dispIdMember < 1 || static_cast<std::size_t>(dispIdMember) > m_members.size()) {
        return DISP_E_MEMBERNOTFOUND;
    }
    const auto& [name, member] = m_members[dispIdMember - 1];
    Call call{name, wFlags, {}};
    for (UINT i = params ? params->cArgs : 0; i-- > 0;) {
        call.args.push_back(Describe(params->rgvarg[i]));
    }
    calls.push_back(call);
    if (pVarResult) VariantInit(pVarResult);
    return member(pVarResult, pExcepInfo);
}

void CFakeExternal::Add(const std::u16string& name, Member member) {
    m_members.emplace_back(name, std::move(member));
}
