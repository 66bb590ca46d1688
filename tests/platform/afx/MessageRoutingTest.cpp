// Message maps and event-sink maps: rows found derived class first, arguments delivered in
// declaration order from COM's reversed DISPPARAMS.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/Dialog.h"
#include "platform/afx/WinApp.h"

namespace {

std::vector<std::string> g_calls;

class CBase : public CDialog {
public:
    CBase() : CDialog(0) {}
    void OnClose() { g_calls.push_back("base close"); }
    void OnSize(UINT type, int cx, int cy) {
        g_calls.push_back("base size " + std::to_string(type) + " " + std::to_string(cx) + "x" +
                          std::to_string(cy));
    }
    void OnEvent1(IDispatch* disp, VARIANT* url) {
        g_calls.push_back(std::string("base event ") + (disp ? "disp " : "null ") +
                          (url && url->vt == VT_I4 ? std::to_string(url->lVal) : "?"));
    }

    static const AFX_MSGMAP* GetThisMessageMap() {
        static const AFX_MSGMAP_ENTRY entries[] = {
            OnMessage<&CBase::OnClose>(WM_CLOSE),
            OnMessage<&CBase::OnSize>(WM_SIZE),
        };
        static const AFX_MSGMAP map{&CDialog::GetThisMessageMap, entries, std::size(entries)};
        return &map;
    }
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap() {
        static const AFX_EVENTSINKMAP_ENTRY entries[] = {
            SinkEvent<&CBase::OnEvent1>(7, 1),
            SinkEvent<&CBase::OnEvent1>(7, 2),
        };
        static const AFX_EVENTSINKMAP map{&CCmdTarget::GetThisEventSinkMap, entries,
                                          std::size(entries)};
        return &map;
    }
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override { return GetThisEventSinkMap(); }
};

class CDerived : public CBase {
public:
    void OnClose() { g_calls.push_back("derived close"); }
    void OnCommand5() { g_calls.push_back("derived command 5"); }
    void OnEvent2(IDispatch** out, VARIANT_BOOL* cancel, DWORD flags, BSTR context, BSTR url) {
        g_calls.push_back("derived event " + std::string(out ? "out " : "null ") +
                          (cancel ? "cancel " : "null ") + std::to_string(flags) + " " +
                          std::string(context ? "ctx " : "null ") +
                          std::to_string(url ? SysStringLen(url) : 0));
        if (cancel) *cancel = VARIANT_TRUE;
    }

    static const AFX_MSGMAP* GetThisMessageMap() {
        static const AFX_MSGMAP_ENTRY entries[] = {
            OnMessage<&CDerived::OnClose>(WM_CLOSE),
            OnCommand<&CDerived::OnCommand5>(5),
        };
        static const AFX_MSGMAP map{&CBase::GetThisMessageMap, entries, std::size(entries)};
        return &map;
    }
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
    static const AFX_EVENTSINKMAP* GetThisEventSinkMap() {
        static const AFX_EVENTSINKMAP_ENTRY entries[] = {
            SinkEvent<&CDerived::OnEvent2>(7, 2),
        };
        static const AFX_EVENTSINKMAP map{&CBase::GetThisEventSinkMap, entries, std::size(entries)};
        return &map;
    }
    const AFX_EVENTSINKMAP* GetEventSinkMap() const override { return GetThisEventSinkMap(); }

    // Messages as a window delivers them, without a window.
    LRESULT Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
        return WindowProc(message, wParam, lParam);
    }
};

class CHelpApp : public CWinApp {
public:
    CHelpApp() : CWinApp(u"Test") {}
    void OnCommand9() { g_calls.push_back("app command 9"); }
    static const AFX_MSGMAP* GetThisMessageMap() {
        static const AFX_MSGMAP_ENTRY entries[] = {OnCommand<&CHelpApp::OnCommand9>(9)};
        static const AFX_MSGMAP map{&CWinApp::GetThisMessageMap, entries, std::size(entries)};
        return &map;
    }
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
};

class MessageRoutingTest : public testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
    CHelpApp m_app;
    CDerived m_dialog;
};

}  // namespace

TEST_F(MessageRoutingTest, FirstMatchingRowWinsDerivedMapFirst) {
    m_dialog.Deliver(WM_CLOSE, 0, 0);
    m_dialog.Deliver(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 27));
    m_dialog.Deliver(WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), 0);
    m_dialog.Deliver(WM_COMMAND, MAKEWPARAM(9, 0), 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"derived close", "base size 2 640x27",
                                                 "derived command 5", "app command 9"}));
}

TEST_F(MessageRoutingTest, CommandsNobodyHandlesReachTheWindowsDefault) {
    EXPECT_EQ(m_dialog.Deliver(WM_COMMAND, MAKEWPARAM(1234, 0), 0), 0);
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(MessageRoutingTest, EventArgumentsArriveInDeclarationOrder) {
    IDispatch* created = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    BSTR context = SysAllocString(u"ctx");
    BSTR url = SysAllocString(u"http://x");
    VARIANT args[5];
    for (VARIANT& v : args) VariantInit(&v);
    // COM passes the last declared parameter first.
    args[4].vt = VT_BYREF | VT_DISPATCH, args[4].ppdispVal = &created;
    args[3].vt = VT_BYREF | VT_BOOL, args[3].pboolVal = &cancel;
    args[2].vt = VT_UI4, args[2].lVal = 6;
    args[1].vt = VT_BSTR, args[1].bstrVal = context;
    args[0].vt = VT_BSTR, args[0].bstrVal = url;
    DISPPARAMS params{args, nullptr, 5, 0};
    EXPECT_TRUE(m_dialog.OnEvent(7, 2, &params));
    EXPECT_EQ(cancel, VARIANT_TRUE);

    VARIANT number;
    VariantInit(&number);
    number.vt = VT_I4, number.lVal = 42;
    VARIANT two[2];
    VariantInit(&two[1]), VariantInit(&two[0]);
    two[0].vt = VT_BYREF | VT_VARIANT, two[0].pvarVal = &number;
    DISPPARAMS pair{two, nullptr, 2, 0};
    EXPECT_TRUE(m_dialog.OnEvent(7, 1, &pair));
    EXPECT_FALSE(m_dialog.OnEvent(8, 1, &pair));
    EXPECT_EQ(g_calls,
              (std::vector<std::string>{"derived event out cancel 6 ctx 8", "base event null 42"}));
    SysFreeString(context);
    SysFreeString(url);
}

TEST_F(MessageRoutingTest, EventWithTooFewArgumentsIsNotDelivered) {
    VARIANT one;
    VariantInit(&one);
    DISPPARAMS params{&one, nullptr, 1, 0};
    EXPECT_TRUE(m_dialog.OnEvent(7, 2, &params));
    EXPECT_TRUE(m_dialog.OnEvent(7, 1, nullptr));
    EXPECT_TRUE(g_calls.empty());
}
