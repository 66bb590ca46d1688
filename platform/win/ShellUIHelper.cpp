#include "platform/win/ShellUIHelper.h"

#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "platform/com/ClassRegistry.h"

namespace {

struct Member {
    LPCWSTR name;
    DISPID id;
};

// The interface's members with their dispatch ids, in its order.
constexpr Member kMembers[] = {
    {u"ResetFirstBootMode", 1},    {u"ResetSafeMode", 2},   {u"RefreshOfflineDesktop", 3},
    {u"AddFavorite", 4},           {u"AddChannel", 5},      {u"AddDesktopComponent", 6},
    {u"IsSubscribed", 7},          {u"NavigateAndFind", 8}, {u"ImportExportFavorites", 9},
    {u"AutoCompleteSaveForm", 10}, {u"AutoScan", 11},       {u"AutoCompleteAttach", 12},
    {u"ShowBrowserUI", 13},
};

// Script names are matched without regard to case, as a late-bound caller expects.
bool SameName(std::u16string_view a, std::u16string_view b) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

const Member* FindByName(LPCOLESTR name) {
    if (!name) return nullptr;
    const auto it = std::find_if(std::begin(kMembers), std::end(kMembers),
                                 [&](const Member& m) { return SameName(m.name, name); });
    return it == std::end(kMembers) ? nullptr : &*it;
}

const Member* FindById(DISPID id) {
    const auto it = std::find_if(std::begin(kMembers), std::end(kMembers),
                                 [&](const Member& m) { return m.id == id; });
    return it == std::end(kMembers) ? nullptr : &*it;
}

// What a page's script shows as the exception's message.
void FillException(EXCEPINFO* info, HRESULT hr, const Member* member) {
    *info = EXCEPINFO{};
    info->scode = hr;
    info->bstrSource = SysAllocString(u"ShellUIHelper");
    const std::u16string description =
        member ? std::u16string(member->name) + u" is not available in this browser"
               : std::u16string(u"ShellUIHelper has no member with this id");
    info->bstrDescription = SysAllocString(description.c_str());
}

// This browser has none of the shell's favorites, channels, desktop components, subscriptions
// or form autocomplete: every member says so rather than pretend, and a page that calls one
// gets a script exception.
class CShellUIHelper final : public IShellUIHelper {
public:
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override {
        if (!ppvObject) return E_POINTER;
        *ppvObject = nullptr;
        if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_IDispatch) &&
            !IsEqualGUID(riid, IID_IShellUIHelper))
            return E_NOINTERFACE;
        *ppvObject = static_cast<IShellUIHelper*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_cRef; }
    ULONG Release() override {
        const ULONG count = --m_cRef;
        if (count == 0) delete this;
        return count;
    }

    HRESULT GetTypeInfoCount(UINT* pctinfo) override {
        if (!pctinfo) return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (ppTInfo) *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    // Names after the first would be parameter names, which no member here has.
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                          DISPID* rgDispId) override {
        if (!rgszNames || !rgDispId) return E_POINTER;
        std::fill_n(rgDispId, cNames, DISPID_UNKNOWN);
        if (cNames == 0) return E_INVALIDARG;
        const Member* member = FindByName(rgszNames[0]);
        if (!member) return DISP_E_UNKNOWNNAME;
        rgDispId[0] = member->id;
        return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pVarResult,
                   EXCEPINFO* pExcepInfo, UINT*) override {
        if (pVarResult) VariantInit(pVarResult);
        const Member* member = FindById(dispIdMember);
        const HRESULT hr = member ? E_NOTIMPL : DISP_E_MEMBERNOTFOUND;
        if (pExcepInfo) FillException(pExcepInfo, hr, member);
        return hr;
    }

    HRESULT ResetFirstBootMode() override { return E_NOTIMPL; }
    HRESULT ResetSafeMode() override { return E_NOTIMPL; }
    HRESULT RefreshOfflineDesktop() override { return E_NOTIMPL; }
    HRESULT AddFavorite(BSTR, VARIANT*) override { return E_NOTIMPL; }
    HRESULT AddChannel(BSTR) override { return E_NOTIMPL; }
    HRESULT AddDesktopComponent(BSTR, BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT IsSubscribed(BSTR, VARIANT_BOOL* pBool) override {
        if (pBool) *pBool = VARIANT_FALSE;
        return E_NOTIMPL;
    }
    HRESULT NavigateAndFind(BSTR, BSTR, VARIANT*) override { return E_NOTIMPL; }
    HRESULT ImportExportFavorites(VARIANT_BOOL, BSTR) override { return E_NOTIMPL; }
    HRESULT AutoCompleteSaveForm(VARIANT*) override { return E_NOTIMPL; }
    HRESULT AutoScan(BSTR, BSTR, VARIANT*) override { return E_NOTIMPL; }
    HRESULT AutoCompleteAttach(VARIANT*) override { return E_NOTIMPL; }
    HRESULT ShowBrowserUI(BSTR, VARIANT*, VARIANT* pvarOut) override {
        if (pvarOut) VariantInit(pvarOut);
        return E_NOTIMPL;
    }

private:
    ~CShellUIHelper() = default;

    ULONG m_cRef = 1;
};

HRESULT CreateShellUIHelper(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* helper = new (std::nothrow) CShellUIHelper;
    if (!helper) return E_OUTOFMEMORY;
    const HRESULT hr = helper->QueryInterface(riid, ppv);
    helper->Release();
    return hr;
}

}  // namespace

void RegisterShellClasses() {
    CoRegisterClass(CLSID_ShellUIHelper, &CreateShellUIHelper);
}
