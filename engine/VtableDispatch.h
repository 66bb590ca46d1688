// IDispatch for objects reached through their vtables only: no type information, no names, no
// late-bound members.
#pragma once

#include "platform/com/Dispatch.h"

template <class Interface>
class CVtableDispatch : public Interface {
public:
    HRESULT GetTypeInfoCount(UINT* pctinfo) override {
        if (!pctinfo) return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }

    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (!ppTInfo) return E_POINTER;
        *ppTInfo = nullptr;
        return E_NOTIMPL;
    }

    HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                          DISPID* rgDispId) override {
        if (!rgszNames || !rgDispId) return E_POINTER;
        for (UINT i = 0; i < cNames; ++i) rgDispId[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pVarResult, EXCEPINFO*,
                   UINT*) override {
        if (pVarResult) VariantInit(pVarResult);
        return DISP_E_MEMBERNOTFOUND;
    }

protected:
    ~CVtableDispatch() = default;
};
