#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/CmdLineParams.h"
#include "app/CorvaneApp.h"

namespace {

// Hands the arguments (after the program name) to the framework, as AfxWinMain would.
void SetArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> texts{"/usr/bin/Veltrisk"};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    AfxSetCommandLine(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(CommandLine, StartAddressFollowsTheUrlFlag) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::u16string> url;
        BOOL urlNext;
        std::u16string fileName;  // what the framework's own parsing kept
    };
    const Case cases[] = {
        {{}, std::nullopt, 0, u""},
        {{"/URL", "x"}, u"x", 1, u""},
        {{"-url", "x"}, u"x", 1, u""},
        {{"/uRl", "x"}, u"x", 1, u""},
        {{"/URL", "a", "b"}, u"b", 1, u""},
        {{"/URL"}, std::nullopt, 1, u""},
        {{"/URL", "a", "/x", "b"}, u"a", 0, u"b"},
        {{"/URL", "a", "-x"}, u"a", 0, u""},
        {{"/URL:a"}, std::nullopt, 0, u""},
        {{"/URLa"}, std::nullopt, 0, u""},
        {{"/UR", "a"}, std::nullopt, 0, u"a"},
        {{"URL", "a"}, std::nullopt, 0, u"URL"},
        {{"a", "/URL", "b"}, u"b", 1, u"a"},
        {{"/URL", "example.org"}, u"example.org", 1, u""},
        {{"/URL", "/home/u/page.html"}, u"/home/u/page.html", 1, u""},
        {{"/home/u/page.html"}, std::nullopt, 0, u"/home/u/page.html"},
        {{"-URL", "a b"}, u"a b", 1, u""},
        {{"/URL", "h\xC3\xA9llo"}, u"h\u00E9llo", 1, u""},
    };
    CCorvaneApp app;
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& argument : c.arguments) shown += " [" + argument + "]";
        SCOPED_TRACE(shown);
        SetArguments(c.arguments);
        CCmdLineParams params;
        app.ParseCommandLine(params);

        EXPECT_EQ(params.m_bUrlNext, c.urlNext);
        EXPECT_EQ(params.m_strFileName.Str(), c.fileName);
        if (!c.url) {
            EXPECT_EQ(params.m_pszUrl, nullptr);
            continue;
        }
        ASSERT_NE(params.m_pszUrl, nullptr);
        EXPECT_EQ(std::u16string(params.m_pszUrl), *c.url);
        // The address is the argument's own text, which the framework keeps for the process.
        EXPECT_NE(std::find(AfxArgv(), AfxArgv() + AfxArgc(), params.m_pszUrl),
                  AfxArgv() + AfxArgc());
    }
}
