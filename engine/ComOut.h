// Out-parameter conventions shared by the engine's COM objects.
#pragma once

#include <string_view>

#include "platform/com/Bstr.h"
#include "platform/com/Variant.h"

// For members nobody relies on yet: the output is cleared all the same.
template <class T>
HRESULT NotImplemented(T* out) {
    if (!out) return E_POINTER;
    *out = T{};
    return E_NOTIMPL;
}

inline HRESULT NotImplemented(VARIANT* out) {
    if (!out) return E_POINTER;
    VariantInit(out);
    return E_NOTIMPL;
}

// A new BSTR holding text.
inline HRESULT ReturnString(std::u16string_view text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}
