#include "tests/engine/RecordingSink.h"

#include <algorithm>

#include "platform/com/ComPtr.h"
#include "platform/com/WebBrowserInterfaces.h"

namespace {

std::u16string StringOf(const VARIANT& v) {
    const VARIANT& value = v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal ? *v.pvarVal : v;
    if (value.vt != VT_BSTR || !value.bstrVal) return {};
    return {value.bstrVal, SysStringLen(value.bstrVal)};
}

const void* IdentityOf(IDispatch* dispatch) {
    if (!dispatch) return nullptr;
    CComPtr<IUnknown> identity;
    dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    return identity.Get();
}

bool IsNavigation(DISPID id) {
    return id == DISPID_BEFORENAVIGATE2 || id == DISPID_NAVIGATECOMPLETE2 ||
           id == DISPID_DOCUMENTCOMPLETE;
}

}  // namespace

HRESULT CRecordingSink::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != DIID_DWebBrowserEvents2) {
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG CRecordingSink::AddRef() {
    return ++m_refs;
}

ULONG CRecordingSink::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
}

HRESULT CRecordingSink::GetTypeInfoCount(UINT* pctinfo) {
    if (!pctinfo) return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CRecordingSink::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT CRecordingSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT CRecordingSink::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* params,
                               VARIANT*, EXCEPINFO*, UINT*) {
    if (!params) return E_INVALIDARG;
    BrowserEvent event{dispIdMember, {}, {}, nullptr};
    for (UINT i = params->cArgs; i-- > 0;) event.types.push_back(params->rgvarg[i].vt);
    if (params->cArgs > 0) {
        const VARIANT& first = params->rgvarg[params->cArgs - 1];
        if (first.vt == VT_DISPATCH) event.dispatchIdentity = IdentityOf(first.pdispVal);
        // The URL follows the browser; TitleChange has its text alone.
        event.text = StringOf(params->rgvarg[params->cArgs > 1 ? params->cArgs - 2 : 0]);
    }
    if (dispIdMember == DISPID_BEFORENAVIGATE2 && cancel && cancel(event.text) &&
        params->rgvarg[0].vt == (VT_BYREF | VT_BOOL)) {
        *params->rgvarg[0].pboolVal = VARIANT_TRUE;
    }
    events.push_back(event);
    if (onEvent) onEvent(event);
    return S_OK;
}

std::vector<BrowserEvent> CRecordingSink::Navigation() const {
    std::vector<BrowserEvent> navigation;
    std::copy_if(events.begin(), events.end(), std::back_inserter(navigation),
                 [](const BrowserEvent& e) { return IsNavigation(e.id); });
    return navigation;
}

bool CRecordingSink::Heard(DISPID id, const std::u16string& text) const {
    return std::any_of(events.begin(), events.end(),
                       [&](const BrowserEvent& e) { return e.id == id && e.text == text; });
}
