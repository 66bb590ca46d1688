#include "platform/com/Variant.h"

#include <cstring>

// VT_EMPTY is 0, and no stale bytes are left in the union.
void VariantInit(VARIANT* v) {
    std::memset(v, 0, sizeof(*v));
}

HRESULT VariantClear(VARIANT* v) {
    if (!v) return E_INVALIDARG;
    // The union member is read before the VARIANT is reset; a Release may re-enter.
    const VARIANT old = *v;
    VariantInit(v);
    switch (old.vt) {
        case VT_BSTR:
            SysFreeString(old.bstrVal);
            break;
        // IDispatch derives from IUnknown alone, so punkVal and pdispVal share one address.
        case VT_UNKNOWN:
        case VT_DISPATCH:
            if (old.punkVal) old.punkVal->Release();
            break;
        default:
            break;
    }
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
    if (!dest || !src) return E_INVALIDARG;
    if (dest == src) return S_OK;
    VARIANT copy = *src;
    switch (src->vt) {
        case VT_BSTR:
            if (src->bstrVal) {
                copy.bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
                if (!copy.bstrVal) return E_OUTOFMEMORY;
            }
            break;
        case VT_UNKNOWN:
        case VT_DISPATCH:
            if (copy.punkVal) copy.punkVal->AddRef();
            break;
        default:
            break;
    }
    VariantClear(dest);
    *dest = copy;
    return S_OK;
}
