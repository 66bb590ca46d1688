#include "engine/HtmlElement.h"

#include "engine/ComOut.h"

HRESULT CHtmlElement::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_IHTMLElement) {
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IHTMLElement*>(this);
    AddRef();
    return S_OK;
}

ULONG CHtmlElement::AddRef() {
    return ++m_refs;
}

ULONG CHtmlElement::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
}

HRESULT CHtmlElement::setAttribute(BSTR, VARIANT, LONG) {
    return E_NOTIMPL;
}

HRESULT CHtmlElement::getAttribute(BSTR, LONG, VARIANT* AttributeValue) {
    return NotImplemented(AttributeValue);
}
