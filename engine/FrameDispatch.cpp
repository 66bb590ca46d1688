#include "engine/FrameDispatch.h"

HRESULT CFrameDispatch::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch) return E_NOINTERFACE;
    *ppvObject = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG CFrameDispatch::AddRef() {
    return ++m_refs;
}

ULONG CFrameDispatch::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
}
