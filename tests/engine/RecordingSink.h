// A DWebBrowserEvents2 sink that records what it hears, with the types of the arguments.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/com/Dispatch.h"

struct BrowserEvent {
    DISPID id;
    // Argument types in declaration order (rgvarg read from the end).
    std::vector<VARTYPE> types;
    // The URL argument, or TitleChange's text.
    std::u16string text;
    // Identity (IUnknown) of the first argument when it is a dispatch; compared, never used.
    const void* dispatchIdentity = nullptr;
};

class CRecordingSink final : public IDispatch {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                          DISPID* rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                   UINT* puArgErr) override;

    // Only the navigation events (BeforeNavigate2, NavigateComplete2, DocumentComplete) in order.
    std::vector<BrowserEvent> Navigation() const;
    bool Heard(DISPID id, const std::u16string& text) const;

    std::vector<BrowserEvent> events;
    // BeforeNavigate2 sets Cancel for the URLs this answers true for.
    std::function<bool(const std::u16string& url)> cancel;
    // Runs inside each event, after it was recorded.
    std::function<void(const BrowserEvent& event)> onEvent;

private:
    ULONG m_refs = 1;
};
