// BeforeNavigate2 belongs to top-level documents; frames get NavigateComplete2 and
// DocumentComplete of their own, with a pDisp that is not the control's.
#include <glib.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/com/HtmlDocumentInterfaces.h"
#include "platform/com/TextConv.h"
#include "support/MainLoop.h"
#include "tests/engine/BrowserFixture.h"

namespace {

using FrameEventsTest = BrowserFixture;

TestResponse Page(const std::string& title, const std::string& body = "hello") {
    return {200, "text/html; charset=utf-8", "<title>" + title + "</title>" + body, {}};
}

const void* IdentityOf(IUnknown* object) {
    CComPtr<IUnknown> identity;
    object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    return identity.Get();
}

enum class Target { Control, Frame };
using Seen = std::tuple<DISPID, std::string, Target>;

std::vector<Seen> Navigation(const CRecordingSink& sink, const void* control) {
    std::vector<Seen> seen;
    for (const BrowserEvent& e : sink.Navigation()) {
        EXPECT_TRUE(e.dispatchIdentity) << "event " << e.id << " without pDisp";
        seen.emplace_back(e.id, Utf8(e.text),
                          e.dispatchIdentity == control ? Target::Control : Target::Frame);
    }
    return seen;
}

TEST_F(FrameEventsTest, FramesCompleteWithTheirOwnDispatchBeforeTheTopLevelDocument) {
    server.Handle("/framed", Page("Framed", "<iframe src='/inner'></iframe>"));
    server.Handle("/inner", Page("Inner"));
    const std::string top = server.Url("/framed");
    const std::string inner = server.Url("/inner");
    ASSERT_TRUE(Load(top));
    RunFor(300);

    const std::vector<Seen> expected{
        {DISPID_BEFORENAVIGATE2, top, Target::Control},
        {DISPID_NAVIGATECOMPLETE2, top, Target::Control},
        {DISPID_NAVIGATECOMPLETE2, inner, Target::Frame},
        {DISPID_DOCUMENTCOMPLETE, inner, Target::Frame},
        {DISPID_DOCUMENTCOMPLETE, top, Target::Control},
    };
    EXPECT_EQ(Navigation(*sink, IdentityOf(browser)), expected);
}

// A frame loading a new document leaves the control's document in place: a host that forgets
// its document at BeforeNavigate2 still has it afterwards.
TEST_F(FrameEventsTest, FrameNavigationRaisesNoBeforeNavigate2) {
    server.Handle("/framed", Page("Framed", "<iframe src='/inner'></iframe>"));
    server.Handle("/inner", Page("Inner"));
    server.Handle("/second", Page("Second"));
    ASSERT_TRUE(Load(server.Url("/framed")));
    CComPtr<IDispatch> dispatch;
    ASSERT_EQ(browser->get_Document(&dispatch), S_OK);
    CComPtr<IHTMLDocument2> document;
    ASSERT_EQ(dispatch.QueryInterface(IID_IHTMLDocument2, &document), S_OK);
    sink->events.clear();

    Evaluate("document.querySelector('iframe').src = '/second'; 'moved'");
    const std::string second = server.Url("/second");
    ASSERT_TRUE(RunUntil([&] { return sink->Heard(DISPID_DOCUMENTCOMPLETE, Utf8ToWide(second)); }));

    const std::vector<Seen> expected{
        {DISPID_NAVIGATECOMPLETE2, second, Target::Frame},
        {DISPID_DOCUMENTCOMPLETE, second, Target::Frame},
    };
    EXPECT_EQ(Navigation(*sink, IdentityOf(browser)), expected);
    CComPtr<IHTMLElement> body;
    EXPECT_EQ(document->get_body(&body), S_OK);
    EXPECT_EQ(LocationUrl(), server.Url("/framed"));
}

struct LoadCase {
    const char* name;
    // Starts the load and gives the address it ends at.
    std::function<std::string()> start;
};

// Some loads ask WebKit for no response policy; each kind still gets exactly one BeforeNavigate2,
// before its NavigateComplete2.
TEST_F(FrameEventsTest, EveryKindOfTopLevelLoadIsAnnouncedOnceBeforeItCommits) {
    server.Handle("/page", Page("Page"));
    server.Handle("/other", Page("Other"));
    server.Handle("/moved", {302, "text/html", "", {{"Location", "/page"}}});
    const std::string file = TestOutputDir() + "/engine-file-page.html";
    ASSERT_TRUE(g_file_set_contents(file.c_str(), "<title>File</title>file", -1, nullptr));
    std::string closed;
    {
        TestServer gone;
        closed = gone.Url("/nothing");
    }
    const auto navigate = [this](const std::string& from, const std::string& to) {
        return [this, from, to] {
            EXPECT_EQ(Navigate(from), S_OK);
            return to;
        };
    };
    const LoadCase cases[] = {
        {"http", navigate(server.Url("/page"), server.Url("/page"))},
        {"redirect", navigate(server.Url("/moved"), server.Url("/page"))},
        {"data", navigate("data:text/html,data", "data:text/html,data")},
        {"about:blank", navigate("about:blank", "about:blank")},
        {"file", navigate("file://" + file, "file://" + file)},
        {"error page", navigate(closed, closed)},
        {"back",
         [this] {
             EXPECT_TRUE(Load(server.Url("/page")));
             EXPECT_TRUE(Load(server.Url("/other")));
             sink->events.clear();
             EXPECT_EQ(browser->GoBack(), S_OK);
             return server.Url("/page");
         }},
    };
    const void* control = IdentityOf(browser);
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        sink->events.clear();
        const std::string url = c.start();
        ASSERT_TRUE(
            RunUntil([&] { return sink->Heard(DISPID_DOCUMENTCOMPLETE, Utf8ToWide(url)); }));
        const std::vector<Seen> expected{
            {DISPID_BEFORENAVIGATE2, url, Target::Control},
            {DISPID_NAVIGATECOMPLETE2, url, Target::Control},
            {DISPID_DOCUMENTCOMPLETE, url, Target::Control},
        };
        EXPECT_EQ(Navigation(*sink, control), expected);
    }
}

}  // namespace
