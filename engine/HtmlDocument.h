// The control's document, as the host sees it through IHTMLDocument2.
#pragma once

#include <memory>

#include "engine/DocumentState.h"
#include "engine/VtableDispatch.h"
#include "platform/com/HtmlDocumentInterfaces.h"

class CHtmlDocument final : public CVtableDispatch<IHTMLDocument2> {
public:
    explicit CHtmlDocument(std::shared_ptr<const DocumentState> state);
    CHtmlDocument(const CHtmlDocument&) = delete;
    CHtmlDocument& operator=(const CHtmlDocument&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT get_Script(IDispatch** p) override;
    HRESULT get_all(IHTMLElementCollection** p) override;
    // Null with S_FALSE once the document is no longer the control's.
    HRESULT get_body(IHTMLElement** p) override;
    HRESULT get_activeElement(IHTMLElement** p) override;
    HRESULT get_images(IHTMLElementCollection** p) override;
    HRESULT get_applets(IHTMLElementCollection** p) override;
    HRESULT get_links(IHTMLElementCollection** p) override;
    HRESULT get_forms(IHTMLElementCollection** p) override;
    HRESULT get_anchors(IHTMLElementCollection** p) override;
    HRESULT put_title(BSTR v) override;
    HRESULT get_title(BSTR* p) override;

private:
    ~CHtmlDocument() = default;

    ULONG m_refs = 1;
    std::shared_ptr<const DocumentState> m_state;
};
