// window.external: the host's object, asked for once per document, called by name.
#include <webkit2/webkit2.h>

#include <string>
#include <vector>

#include "engine/EngineScripts.h"
#include "tests/engine/BrowserFixture.h"
#include "tests/engine/FakeExternal.h"

namespace {

class ExternalTest : public BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        external.Attach(new CFakeExternal);
        server.Handle("/page", {200, "text/html", "<title>Page</title>page", {}});
        server.Handle("/next", {200, "text/html", "<title>Next</title>next", {}});
    }

    CComPtr<CFakeExternal> external;
};

// The value of expression as "type:text", or what it threw.
std::string Try(const std::string& expression) {
    return "(() => { try { const r = " + expression +
           "; return typeof r + ':' + String(r); } catch (e) { return 'threw:' + e.message; } "
           "})()";
}

CFakeExternal::Member Returns(VARTYPE vt, LONG value) {
    return [vt, value](VARIANT* result, EXCEPINFO*) {
        result->vt = vt;
        if (vt == VT_BOOL) {
            result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        } else {
            result->lVal = value;
        }
        return S_OK;
    };
}

CFakeExternal::Member ReturnsText(std::u16string text) {
    return [text](VARIANT* result, EXCEPINFO*) {
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return S_OK;
    };
}

TEST_F(ExternalTest, CallsReachTheHostObjectWithConvertedArgumentsAndGiveBackItsResult) {
    external->Add(u"Describe", ReturnsText(u"caf\u00E9 \u2713"));
    site->external = external.Get();
    ASSERT_TRUE(Load(server.Url("/page")));

    EXPECT_EQ(Evaluate(Try("window.external.Describe('abc', 3, -7, 2.5, 3000000000, true, false, "
                           "null, undefined, '')")),
              "string:caf\xC3\xA9 \xE2\x9C\x93");
    ASSERT_EQ(external->calls.size(), 1u);
    EXPECT_EQ(external->calls[0].name, u"Describe");
    EXPECT_EQ(external->calls[0].flags, DISPATCH_METHOD);
    EXPECT_EQ(external->calls[0].args,
              (std::vector<std::string>{"BSTR:abc", "I4:3", "I4:-7", "R8:2.5", "R8:3e+09",
                                        "BOOL:-1", "BOOL:0", "EMPTY", "EMPTY", "BSTR:"}));

    // What the page may have replaced since it started does not matter.
    EXPECT_EQ(Evaluate("JSON.parse = JSON.stringify = window.prompt = Reflect.apply = () => { "
                       "throw new Error('page'); }; " +
                       Try("window.external.Describe()")),
              "string:caf\xC3\xA9 \xE2\x9C\x93");
}

TEST_F(ExternalTest, ResultsKeepTheirTypeInThePage) {
    external->Add(u"Number", Returns(VT_I4, -42));
    external->Add(u"Yes", Returns(VT_BOOL, 1));
    external->Add(u"No", Returns(VT_BOOL, 0));
    external->Add(u"Nothing", Returns(VT_EMPTY, 0));
    external->Add(u"Quoted", ReturnsText(u"say \"hi\"\\\n"));
    site->external = external.Get();
    ASSERT_TRUE(Load(server.Url("/page")));
    const std::pair<const char*, const char*> cases[] = {
        {"window.external.Number()", "number:-42"},
        {"window.external.Yes()", "boolean:true"},
        {"window.external.No()", "boolean:false"},
        {"window.external.Nothing()", "undefined:undefined"},
        {"window.external.Quoted()", "string:say \"hi\"\\\n"},
    };
    for (const auto& [call, expected] : cases) EXPECT_EQ(Evaluate(Try(call)), expected) << call;
}

TEST_F(ExternalTest, HostIsAskedForItsObjectOncePerDocumentWhenAPageFirstUsesIt) {
    external->Add(u"Number", Returns(VT_I4, 1));
    site->external = external.Get();
    server.Handle("/framed", {200, "text/html", "<title>Framed</title><iframe srcdoc=x>", {}});
    ASSERT_TRUE(Load(server.Url("/framed")));
    EXPECT_EQ(Evaluate("typeof window.external"), "object");
    EXPECT_EQ(site->Count("GetExternal"), 0);

    // Frames of the document share its object.
    EXPECT_EQ(Evaluate(Try("window.external.Number() + frames[0].external.Number()")), "number:2");
    EXPECT_EQ(site->Count("GetExternal"), 1);

    ASSERT_TRUE(Load(server.Url("/next")));
    EXPECT_EQ(site->Count("GetExternal"), 1);
    EXPECT_EQ(Evaluate(Try("window.external.Number()")), "number:1");
    EXPECT_EQ(site->Count("GetExternal"), 2);
}

TEST_F(ExternalTest, FailuresAreThrownInThePage) {
    external->Add(u"NotImplemented", [](VARIANT*, EXCEPINFO*) { return E_NOTIMPL; });
    external->Add(u"Raises", [](VARIANT*, EXCEPINFO* exception) {
        exception->bstrDescription = SysAllocString(u"It broke");
        return DISP_E_EXCEPTION;
    });
    external->Add(u"Odd", Returns(VT_ERROR, 0));
    site->external = external.Get();
    ASSERT_TRUE(Load(server.Url("/page")));
    const std::pair<std::string, std::string> cases[] = {
        {"window.external.Missing()", "threw:window.external.Missing does not exist"},
        {"window.external.NotImplemented()",
         "threw:window.external.NotImplemented failed with error 0x80004001"},
        {"window.external.Raises()", "threw:It broke"},
        {"window.external.Odd()", "threw:window.external.Odd answered a value a page cannot hold"},
        {"window.external.Raises({})",
         "threw:window.external.Raises: only strings, numbers, booleans and null can be passed"},
        {"window.external.Raises([1])",
         "threw:window.external.Raises: only strings, numbers, booleans and null can be passed"},
    };
    for (const auto& [call, expected] : cases) EXPECT_EQ(Evaluate(Try(call)), expected) << call;
    EXPECT_EQ(external->calls.size(), 3u);
}

// The marker is no secret: a page that fakes the engine's prompt reaches the same object, and
// what it sends is answered, never trusted.
TEST_F(ExternalTest, ForgedCallsReachOnlyTheSameObject) {
    external->Add(u"Number", Returns(VT_I4, 7));
    site->external = external.Get();
    ASSERT_TRUE(Load(server.Url("/page")));
    const std::string prompt = std::string("prompt('") + kExternalPrompt + "', ";
    const std::pair<std::string, std::string> cases[] = {
        {prompt + "'{\"name\":\"Number\",\"args\":[]}')", R"({"value":7})"},
        {prompt + "'{bad json')", R"({"error":"malformed window.external call"})"},
        {prompt + "'[1, 2]')", R"({"error":"malformed window.external call"})"},
        {prompt + "'{\"name\":3,\"args\":[]}')", R"({"error":"malformed window.external call"})"},
        {prompt + "'{\"name\":\"Number\",\"args\":{\"length\":99}}')",
         R"({"error":"malformed window.external call"})"},
        {prompt + "'')", R"({"error":"malformed window.external call"})"},
    };
    for (const auto& [call, expected] : cases) EXPECT_EQ(Evaluate(call), expected) << call;
}

TEST_F(ExternalTest, IsAFrozenObjectThatPagesCannotReplace) {
    ASSERT_TRUE(Load(server.Url("/page")));
    EXPECT_EQ(Evaluate("Object.isFrozen(window.external) && "
                       "!Object.getOwnPropertyDescriptor(window, 'external').configurable"),
              "true");
    EXPECT_EQ(Evaluate("window.external = 1; window.external.Extra = 2; delete window.external; "
                       "typeof window.external + ' ' + typeof window.external.Extra"),
              "object function");
}

struct MissingHostCase {
    const char* name;
    bool siteGiven;
    bool answersHandler;
};

TEST_F(ExternalTest, WithoutTheHostsObjectCallsThrow) {
    for (const MissingHostCase& c :
         {MissingHostCase{"GetExternal fails", true, true},
          MissingHostCase{"no UI handler", true, false}, MissingHostCase{"no site", false, true}}) {
        SCOPED_TRACE(c.name);
        site->answersHandler = c.answersHandler;
        if (!c.siteGiven) {
            ASSERT_EQ(control->SetClientSite(nullptr), S_OK);
        }
        ASSERT_TRUE(Load(server.Url(c.siteGiven && c.answersHandler ? "/page" : "/next")));
        EXPECT_EQ(Evaluate("typeof window.external"), "object");
        EXPECT_EQ(Evaluate(Try("window.external.AddFavorite('x')")),
                  "threw:window.external is not available");
    }
}

gboolean AnswerPagePrompt(WebKitWebView*, WebKitScriptDialog* dialog, gpointer) {
    webkit_script_dialog_prompt_set_text(dialog, "answered by the user");
    return TRUE;
}

TEST_F(ExternalTest, OtherPromptsStayThePagesOwn) {
    ASSERT_TRUE(Load(server.Url("/page")));
    const gulong handler =
        g_signal_connect(View(), "script-dialog", G_CALLBACK(AnswerPagePrompt), nullptr);
    EXPECT_EQ(Evaluate("prompt('Your name?', 'x')"), "answered by the user");
    g_signal_handler_disconnect(View(), handler);
    EXPECT_EQ(site->Count("GetExternal"), 0);
}

}  // namespace
