// An element of the control's document, as the host sees it through IHTMLElement.
#pragma once

#include "engine/VtableDispatch.h"
#include "platform/com/HtmlDocumentInterfaces.h"

class CHtmlElement final : public CVtableDispatch<IHTMLElement> {
public:
    CHtmlElement() = default;
    CHtmlElement(const CHtmlElement&) = delete;
    CHtmlElement& operator=(const CHtmlElement&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT setAttribute(BSTR strAttributeName, VARIANT AttributeValue, LONG lFlags) override;
    HRESULT getAttribute(BSTR strAttributeName, LONG lFlags, VARIANT* AttributeValue) override;

private:
    ~CHtmlElement() = default;

    ULONG m_refs = 1;
};
