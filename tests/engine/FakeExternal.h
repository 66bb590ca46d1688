// window.external's object for tests: members by name, each answering as the test sets it,
// every call recorded with its arguments as the engine passed them.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/Dispatch.h"

class CFakeExternal final : public IDispatch {
public:
    using Member = std::function<HRESULT(VARIANT* result, EXCEPINFO* exception)>;
    struct Call {
        std::u16string name;
        WORD flags;
        // Each argument in declaration order, as "type:value".
        std::vector<std::string> args;
    };

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

    void Add(const std::u16string& name, Member member);

    std::vector<Call> calls;

private:
    ULONG m_refs = 1;
    std::vector<std::pair<std::u16string, Member>> m_members;
};
