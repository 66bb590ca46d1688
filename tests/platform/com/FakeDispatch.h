// A dispatch object for tests: counts its references, answers a chosen set of interfaces and
// records every Invoke. It lives on the stack and never deletes itself.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/com/Dispatch.h"

class FakeDispatch : public IDispatch {
public:
    struct Call {
        DISPID id;
        IID riid;
        LCID lcid;
        WORD flags;
        DISPPARAMS* params;
        bool extraOutputsNull;  // pVarResult, pExcepInfo and puArgErr all null
    };

    // Starts with the one reference its creator holds.
    explicit FakeDispatch(std::vector<IID> interfaces = {IID_IUnknown, IID_IDispatch});

    ULONG Refs() const { return m_refs; }
    const std::vector<Call>& Calls() const { return m_calls; }
    // Run inside Invoke, after the call is recorded.
    void OnInvoke(std::function<void()> action) { m_onInvoke = std::move(action); }

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override { return --m_refs; }
    HRESULT GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                          DISPID* rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                   DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                   UINT* puArgErr) override;

private:
    std::vector<IID> m_interfaces;
    ULONG m_refs = 1;
    std::vector<Call> m_calls;
    std::function<void()> m_onInvoke;
};
