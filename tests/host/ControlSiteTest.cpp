// What the engine gets when it asks a browser control's site for host services.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "host/HostFixture.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/com/WebBrowserInterfaces.h"
#include "platform/win/HostedControl.h"
#include "platform/win/ShellUIHelper.h"
#include "platform/win/WidgetWindow.h"
#include "support/MainLoop.h"

namespace {

void* const kUntouched = reinterpret_cast<void*>(0x5A5A5A5A);
constexpr WORD kUntouchedWord = 0x5A5A;
constexpr IID kOtherIid = {0x7E1A0101, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};

// Everything a call can write, filled with values no call writes.
struct Outputs {
    Outputs() {
        result.vt = VT_I4;
        result.wReserved1 = kUntouchedWord;
        result.lVal = 0x5A5A5A5A;
    }
    void* object = kUntouched;
    VARIANT result{};
    OLECMD command{41, 0x5A5A};
};

enum class Expect { Interface, Authenticate, Null, Untouched, ScriptErrorHandled };

struct Row {
    std::string what;
    std::function<HRESULT(CCorvaneControlSite&, Outputs&)> call;
    HRESULT result;
    Expect out;
    const IID* iid = nullptr;  // Expect::Interface: which of the site's interfaces
};

IUnknown* InterfaceOf(CCorvaneControlSite& site, REFIID iid) {
    if (IsEqualGUID(iid, IID_IDocHostUIHandler)) return static_cast<IDocHostUIHandler*>(&site);
    if (IsEqualGUID(iid, IID_IServiceProvider)) return static_cast<IServiceProvider*>(&site);
    if (IsEqualGUID(iid, IID_IOleCommandTarget)) return static_cast<IOleCommandTarget*>(&site);
    if (IsEqualGUID(iid, IID_IAuthenticate)) return static_cast<IAuthenticate*>(&site);
    return site.GetControllingUnknown();
}

std::vector<Row> SiteRows() {
    std::vector<Row> rows;
    const std::pair<const char*, const IID*> pointers[] = {
        {"IUnknown", &IID_IUnknown},
        {"IDocHostUIHandler", &IID_IDocHostUIHandler},
        {"IServiceProvider", &IID_IServiceProvider},
        {"IAuthenticate", &IID_IAuthenticate},
        {"IOleCommandTarget", &IID_IOleCommandTarget},
    };
    for (const auto& [through, throughIid] : pointers) {
        for (const auto& [asked, askedIid] : pointers) {
            const bool answered = !IsEqualGUID(*askedIid, IID_IAuthenticate);
            rows.push_back(
                {std::string("QueryInterface for ") + asked + " through " + through,
                 [throughIid, askedIid](CCorvaneControlSite& s, Outputs& o) {
                     return InterfaceOf(s, *throughIid)->QueryInterface(*askedIid, &o.object);
                 },
                 answered ? S_OK : E_NOINTERFACE, answered ? Expect::Interface : Expect::Null,
                 askedIid});
        }
        rows.push_back(
            {std::string("QueryInterface for IDispatch through ") + through,
             [throughIid](CCorvaneControlSite& s, Outputs& o) {
                 return InterfaceOf(s, *throughIid)->QueryInterface(IID_IDispatch, &o.object);
             },
             E_NOINTERFACE, Expect::Null});
    }
    const std::pair<const char*, const IID*> askedUnderAuthentication[] = {
        {"IAuthenticate", &IID_IAuthenticate},
        {"IUnknown", &IID_IUnknown},
        {"IDocHostUIHandler", &IID_IDocHostUIHandler},
        {"an unknown interface", &kOtherIid},
    };
    for (const auto& [asked, iid] : askedUnderAuthentication)
        rows.push_back({std::string("QueryService SID_IAuthenticate for ") + asked,
                        [iid](CCorvaneControlSite& s, Outputs& o) {
                            return s.QueryService(SID_IAuthenticate, *iid, &o.object);
                        },
                        S_OK, Expect::Authenticate});
    const std::pair<const char*, const GUID*> otherServices[] = {
        {"IDocHostUIHandler", &IID_IDocHostUIHandler},
        {"GUID_NULL", &GUID_NULL},
        {"an unknown service", &kOtherIid},
    };
    for (const auto& [service, sid] : otherServices)
        rows.push_back({std::string("QueryService for ") + service,
                        [sid](CCorvaneControlSite& s, Outputs& o) {
                            return s.QueryService(*sid, IID_IAuthenticate, &o.object);
                        },
                        E_FAIL, Expect::Null});

    const std::pair<const char*, const GUID*> groups[] = {{"no group", nullptr},
                                                          {"a group", &kOtherIid}};
    for (const auto& [group, gid] : groups) {
        rows.push_back({std::string("Exec 40 in ") + group,
                        [gid](CCorvaneControlSite& s, Outputs& o) {
                            VARIANT in{};
                            in.vt = VT_I4;
                            return s.Exec(gid, OLECMDID_SHOWSCRIPTERROR, 2, &in, &o.result);
                        },
                        S_OK, Expect::ScriptErrorHandled});
        rows.push_back({std::string("Exec 40 with no output in ") + group,
                        [gid](CCorvaneControlSite& s, Outputs&) {
                            return s.Exec(gid, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, nullptr);
                        },
                        S_OK, Expect::Untouched});
        rows.push_back({std::string("Exec 41 in ") + group,
                        [gid](CCorvaneControlSite& s, Outputs& o) {
                            return s.Exec(gid, 41, 0, nullptr, &o.result);
                        },
                        OLECMDERR_E_UNKNOWNGROUP, Expect::Untouched});
        rows.push_back({std::string("QueryStatus in ") + group,
                        [gid](CCorvaneControlSite& s, Outputs& o) {
                            return s.QueryStatus(gid, 1, &o.command, nullptr);
                        },
                        OLECMDERR_E_UNKNOWNGROUP, Expect::Untouched});
    }

    rows.push_back({"TranslateUrl",
                    [](CCorvaneControlSite& s, Outputs& o) {
                        WCHAR url[] = u"http://127.0.0.1/";
                        return s.TranslateUrl(0, url, reinterpret_cast<LPWSTR*>(&o.object));
                    },
                    S_FALSE, Expect::Null});
    rows.push_back(
        {"TranslateUrl with no output",
         [](CCorvaneControlSite& s, Outputs&) { return s.TranslateUrl(0, nullptr, nullptr); },
         E_POINTER, Expect::Untouched});
    rows.push_back({"FilterDataObject",
                    [](CCorvaneControlSite& s, Outputs& o) {
                        return s.FilterDataObject(nullptr,
                                                  reinterpret_cast<IDataObject**>(&o.object));
                    },
                    S_FALSE, Expect::Null});
    rows.push_back(
        {"FilterDataObject with no output",
         [](CCorvaneControlSite& s, Outputs&) { return s.FilterDataObject(nullptr, nullptr); },
         E_POINTER, Expect::Untouched});

    // The answers the engine's own behaviour hangs on: its context menu and its keys.
    rows.push_back({"ShowContextMenu",
                    [](CCorvaneControlSite& s, Outputs&) {
                        POINT at{10, 20};
                        return s.ShowContextMenu(0, &at, nullptr, nullptr);
                    },
                    S_FALSE, Expect::Untouched});
    rows.push_back({"TranslateAccelerator",
                    [](CCorvaneControlSite& s, Outputs&) {
                        MSG key{nullptr, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
                        return s.TranslateAccelerator(&key, nullptr, 0);
                    },
                    S_FALSE, Expect::Untouched});
    rows.push_back({"GetDropTarget",
                    [](CCorvaneControlSite& s, Outputs& o) {
                        return s.GetDropTarget(nullptr, reinterpret_cast<IDropTarget**>(&o.object));
                    },
                    E_NOTIMPL, Expect::Null});
    rows.push_back({"GetOptionKeyPath",
                    [](CCorvaneControlSite& s, Outputs& o) {
                        return s.GetOptionKeyPath(reinterpret_cast<LPOLESTR*>(&o.object), 0);
                    },
                    E_NOTIMPL, Expect::Untouched});
    rows.push_back({"HideUI", [](CCorvaneControlSite& s, Outputs&) { return s.HideUI(); },
                    E_NOTIMPL, Expect::Untouched});
    return rows;
}

void CheckOutputs(CCorvaneControlSite& site, const Row& row, Outputs& o) {
    switch (row.out) {
        case Expect::Interface:
            ASSERT_EQ(o.object, InterfaceOf(site, *row.iid));
            static_cast<IUnknown*>(o.object)->Release();
            break;
        case Expect::Authenticate:
            ASSERT_EQ(o.object, static_cast<IAuthenticate*>(&site));
            static_cast<IUnknown*>(o.object)->Release();
            break;
        case Expect::Null:
            EXPECT_EQ(o.object, nullptr);
            break;
        case Expect::Untouched:
            EXPECT_EQ(o.object, kUntouched);
            EXPECT_EQ(o.result.vt, VT_I4);
            EXPECT_EQ(o.result.lVal, 0x5A5A5A5A);
            EXPECT_EQ(o.command.cmdID, 41u);
            EXPECT_EQ(o.command.cmdf, 0x5A5Au);
            break;
        case Expect::ScriptErrorHandled:
            EXPECT_EQ(o.result.vt, VT_BOOL);
            EXPECT_EQ(o.result.boolVal, VARIANT_TRUE);
            EXPECT_EQ(o.result.wReserved1, kUntouchedWord);
            EXPECT_EQ(o.object, kUntouched);
            break;
    }
}

// A dialog that changes the answers, to see that the site passes questions on.
class CAnsweringDialog : public CDHtmlDialog {
public:
    CAnsweringDialog() : CDHtmlDialog(0, 0) {}
    HRESULT ShowContextMenu(DWORD id, POINT* at, IUnknown*, IDispatch*) override {
        m_menuId = id;
        m_menuAt = at;
        return S_OK;
    }
    HRESULT GetExternal(IDispatch** ppDispatch) override {
        ++m_externalCalls;
        return CDHtmlDialog::GetExternal(ppDispatch);
    }
    DWORD m_menuId = 0;
    POINT* m_menuAt = nullptr;
    int m_externalCalls = 0;
};

// A control of any class: it keeps the site its container gives it.
class CFakeControl final : public IHostedControl {
public:
    static HRESULT Create(IUnknown*, REFIID riid, void** ppv) {
        CComPtr<CFakeControl> control;
        control.Attach(new CFakeControl);
        return control->QueryInterface(riid, ppv);
    }
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_IHostedControl))
            return E_NOINTERFACE;
        *ppv = static_cast<IHostedControl*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_ref; }
    ULONG Release() override {
        const ULONG count = --m_ref;
        if (count == 0) delete this;
        return count;
    }
    HRESULT SetClientSite(IUnknown* site) override {
        m_site = site;
        s_lastSite = site;
        return S_OK;
    }
    HRESULT CreateControlWindow(HWND parent, const RECT* rect, UINT id, HWND* window) override {
        *window = CreateWindowExW(0, WC_STATICW, u"", WS_CHILD, rect->left, rect->top,
                                  rect->right - rect->left, rect->bottom - rect->top, parent, id,
                                  nullptr, nullptr);
        return *window ? S_OK : E_FAIL;
    }
    HRESULT Close() override {
        m_site.Release();
        return S_OK;
    }
    static inline IUnknown* s_lastSite = nullptr;  // the site of the control made last

private:
    ULONG m_ref = 1;
    CComPtr<IUnknown> m_site;
};

}  // namespace

TEST_F(HostTest, SiteAnswersEachQuestionAsTheEngineExpects) {
    TestSite withDialog;
    TestSite outlivingDialog;
    outlivingDialog->m_pDialog = nullptr;
    for (TestSite* site : {&withDialog, &outlivingDialog}) {
        SCOPED_TRACE(site == &withDialog ? "site of a dialog" : "site without a dialog");
        const ULONG references = site->RefCount();
        for (const Row& row : SiteRows()) {
            SCOPED_TRACE(row.what);
            Outputs outputs;
            EXPECT_EQ(row.call(**site, outputs), row.result);
            CheckOutputs(**site, row, outputs);
            EXPECT_EQ(site->RefCount(), references);
        }
    }
}

TEST_F(HostTest, QueryServiceAddsOneReferenceToTheSite) {
    TestSite site;
    const ULONG before = site.RefCount();
    IAuthenticate* first = nullptr;
    IAuthenticate* second = nullptr;
    ASSERT_EQ(
        site->QueryService(SID_IAuthenticate, IID_IAuthenticate, reinterpret_cast<void**>(&first)),
        S_OK);
    EXPECT_EQ(site.RefCount(), before + 1);
    ASSERT_EQ(
        site->QueryService(SID_IAuthenticate, IID_IUnknown, reinterpret_cast<void**>(&second)),
        S_OK);
    EXPECT_EQ(site.RefCount(), before + 2);
    EXPECT_EQ(first->Release(), before + 1);
    EXPECT_EQ(second->Release(), before);

    void* none = kUntouched;
    EXPECT_EQ(site->QueryService(IID_IServiceProvider, IID_IServiceProvider, &none), E_FAIL);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(site.RefCount(), before);
    EXPECT_EQ(site->QueryService(SID_IAuthenticate, IID_IAuthenticate, nullptr), E_POINTER);
}

TEST_F(HostTest, HostInfoCarriesOnlyTheDialogsFlags) {
    TestSite site;
    site.m_dialog.m_dwHostFlags = DOCHOSTUIFLAG_NO3DBORDER;
    DOCHOSTUIINFO info{sizeof info, 0xFFFFFFFF, 0x5A5A, nullptr, reinterpret_cast<OLECHAR*>(8)};
    ASSERT_EQ(site->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, DOCHOSTUIFLAG_NO3DBORDER);
    EXPECT_EQ(info.cbSize, sizeof info);
    EXPECT_EQ(info.dwDoubleClick, 0x5A5Au);
    EXPECT_EQ(info.pchHostCss, nullptr);
    EXPECT_EQ(info.pchHostNS, reinterpret_cast<OLECHAR*>(8));
    EXPECT_EQ(site->GetHostInfo(nullptr), E_POINTER);

    // Without its dialog the site answers with the platform's own flags.
    site->m_pDialog = nullptr;
    ASSERT_EQ(site->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO);
}

TEST_F(HostTest, UiQuestionsReachTheDialogsOverridesButGetExternalDoesNot) {
    CAnsweringDialog dialog;
    COleControlContainer container(&dialog);
    COleControlSite* created = nullptr;
    ASSERT_TRUE(CreateCorvaneControlSite(&dialog, &container, &created));
    CComPtr<IUnknown> site;
    site.Attach(created->GetControllingUnknown());
    auto* handler = static_cast<CCorvaneControlSite*>(created);

    POINT at{3, 4};
    EXPECT_EQ(handler->ShowContextMenu(5, &at, nullptr, nullptr), S_OK);
    EXPECT_EQ(dialog.m_menuId, 5u);
    EXPECT_EQ(dialog.m_menuAt, &at);

    IDispatch* external = nullptr;
    ASSERT_EQ(handler->GetExternal(&external), S_OK);
    ASSERT_NE(external, nullptr);
    external->Release();
    EXPECT_EQ(dialog.m_externalCalls, 0);
}

TEST_F(HostTest, EachGetExternalMakesANewShellUIHelper) {
    TestSite site;
    CComPtr<IDispatch> first, second;
    ASSERT_EQ(site->GetExternal(&first), S_OK);
    ASSERT_EQ(site->GetExternal(&second), S_OK);
    ASSERT_NE(first.Get(), nullptr);
    ASSERT_NE(second.Get(), nullptr);
    CComPtr<IUnknown> firstIdentity, secondIdentity;
    ASSERT_EQ(first.QueryInterface(IID_IUnknown, &firstIdentity), S_OK);
    ASSERT_EQ(second.QueryInterface(IID_IUnknown, &secondIdentity), S_OK);
    EXPECT_NE(firstIdentity.Get(), secondIdentity.Get());
    CComPtr<IShellUIHelper> helper;
    EXPECT_EQ(first.QueryInterface(IID_IShellUIHelper, &helper), S_OK);
    EXPECT_EQ(site->GetExternal(nullptr), E_NOTIMPL);
}

TEST_F(HostTest, GetExternalKeepsTheCallersPointerWhenNoHelperCanBeMade) {
    TestSite site;
    CoRegisterClass(CLSID_ShellUIHelper, nullptr);
    auto* const kept = reinterpret_cast<IDispatch*>(kUntouched);
    IDispatch* external = kept;
    EXPECT_EQ(site->GetExternal(&external), E_NOTIMPL);
    EXPECT_EQ(external, kept);
    RegisterShellClasses();
}

// A page calling window.external gets a script exception, never a crash or a fake success.
TEST_F(HostTest, ShellUIHelperNamesItsMembersAndRefusesEveryCall) {
    TestSite site;
    CComPtr<IDispatch> external;
    ASSERT_EQ(site->GetExternal(&external), S_OK);
    const char16_t* members[] = {
        u"ResetFirstBootMode",   u"RESETSAFEMODE",   u"refreshofflinedesktop",
        u"AddFavorite",          u"addChannel",      u"AddDesktopComponent",
        u"IsSubscribed",         u"NavigateAndFind", u"ImportExportFavorites",
        u"AutoCompleteSaveForm", u"AutoScan",        u"AutoCompleteAttach",
        u"ShowBrowserUI"};
    std::vector<DISPID> seen;
    for (const char16_t* member : members) {
        SCOPED_TRACE(std::string(member, member + std::char_traits<char16_t>::length(member)));
        LPOLESTR name = const_cast<LPOLESTR>(member);
        DISPID id = 0;
        ASSERT_EQ(external->GetIDsOfNames(GUID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), id), 0);
        seen.push_back(id);
        VARIANT result{};
        result.vt = VT_I4;
        EXCEPINFO exception{};
        EXPECT_EQ(external->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr,
                                   &result, &exception, nullptr),
                  E_NOTIMPL);
        EXPECT_EQ(result.vt, VT_EMPTY);
        EXPECT_EQ(exception.scode, E_NOTIMPL);
        ASSERT_NE(exception.bstrDescription, nullptr);
        EXPECT_NE(std::u16string(exception.bstrDescription).size(), 0u);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
    }

    WCHAR unknown[] = u"NoSuchMember";
    WCHAR parameter[] = u"URL";
    WCHAR addFavorite[] = u"AddFavorite";
    struct {
        std::vector<LPOLESTR> names;
        HRESULT result;
        bool firstKnown;
    } lookups[] = {
        {{unknown}, DISP_E_UNKNOWNNAME, false},
        {{nullptr}, DISP_E_UNKNOWNNAME, false},
        {{addFavorite, parameter}, DISP_E_UNKNOWNNAME, true},
    };
    for (auto& lookup : lookups) {
        std::vector<DISPID> ids(lookup.names.size(), 12345);
        EXPECT_EQ(external->GetIDsOfNames(GUID_NULL, lookup.names.data(),
                                          static_cast<UINT>(lookup.names.size()),
                                          LOCALE_USER_DEFAULT, ids.data()),
                  lookup.result);
        EXPECT_EQ(ids[0] != DISPID_UNKNOWN, lookup.firstKnown);
        for (std::size_t i = 1; i < ids.size(); ++i) EXPECT_EQ(ids[i], DISPID_UNKNOWN);
    }

    EXCEPINFO exception{};
    EXPECT_EQ(external->Invoke(9999, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, nullptr,
                               nullptr, &exception, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(exception.scode, DISP_E_MEMBERNOTFOUND);
    EXPECT_NE(exception.bstrDescription, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    EXPECT_EQ(external->Invoke(seen.front(), GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                               nullptr, nullptr, nullptr, nullptr),
              E_NOTIMPL);
}

// Controls of any class made in the running main window's container get its site.
TEST_F(HostTest, MainWindowGivesEveryControlASiteOfItsOwn) {
    const struct {
        CLSID clsid;
        UINT id;
    } controls[] = {
        {{0x7E1A0201, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x01}}, 7},
        {{0x7E1A0202, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x02}}, 4000},
        {GUID_NULL, 0},
    };
    // Hosted controls' windows must outlive the dialog whose container holds their sites.
    CWnd windows[std::size(controls)];
    CCorvaneDlg dialog;
    RunDialog(dialog, [&](CCorvaneDlg& dlg) {
        for (std::size_t i = 0; i < std::size(controls); ++i) {
            SCOPED_TRACE(controls[i].id);
            CoRegisterClass(controls[i].clsid, &CFakeControl::Create);
            ASSERT_TRUE(windows[i].CreateControl(controls[i].clsid, WS_CHILD, RECT{0, 0, 10, 10},
                                                 &dlg, controls[i].id));
            CoRegisterClass(controls[i].clsid, nullptr);
            CComPtr<IDocHostUIHandler> handler;
            ASSERT_NE(CFakeControl::s_lastSite, nullptr);
            ASSERT_EQ(CFakeControl::s_lastSite->QueryInterface(IID_IDocHostUIHandler,
                                                               reinterpret_cast<void**>(&handler)),
                      S_OK);
            EXPECT_EQ(static_cast<CCorvaneControlSite*>(handler.Get())->m_pDialog, &dlg);
        }
    });

    COleControlContainer container(&dialog);
    EXPECT_FALSE(dialog.CreateControlSite(&container, nullptr, 1, GUID_NULL));
}
