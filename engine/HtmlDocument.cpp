#include "engine/HtmlDocument.h"

#include <utility>

#include "engine/ComOut.h"
#include "engine/HtmlElement.h"

CHtmlDocument::CHtmlDocument(std::shared_ptr<const DocumentState> state)
    : m_state(std::move(state)) {}

HRESULT CHtmlDocument::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return E_POINTER;
    *ppvObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IDispatch && riid != IID_IHTMLDocument &&
        riid != IID_IHTMLDocument2) {
        return E_NOINTERFACE;
    }
    *ppvObject = static_cast<IHTMLDocument2*>(this);
    AddRef();
    return S_OK;
}

ULONG CHtmlDocument::AddRef() {
    return ++m_refs;
}

ULONG CHtmlDocument::Release() {
    const ULONG refs = --m_refs;
    if (refs == 0) delete this;
    return refs;
}

HRESULT CHtmlDocument::get_Script(IDispatch** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::get_all(IHTMLElementCollection** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::get_body(IHTMLElement** p) {
    if (!p) return E_POINTER;
    *p = nullptr;
    if (!m_state->current) return S_FALSE;
    *p = new CHtmlElement;
    return S_OK;
}

HRESULT CHtmlDocument::get_activeElement(IHTMLElement** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::get_images(IHTMLElementCollection** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::get_applets(IHTMLElementCollection** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::get_links(IHTMLElementCollection** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::get_forms(IHTMLElementCollection** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::get_anchors(IHTMLElementCollection** p) {
    return NotImplemented(p);
}

HRESULT CHtmlDocument::put_title(BSTR) {
    return E_NOTIMPL;
}

HRESULT CHtmlDocument::get_title(BSTR* p) {
    return ReturnString(m_state->title, p);
}
