// A server's demand for a password goes to the site's IAuthenticate; what the site answers is
// what the server gets.
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/TextConv.h"
#include "support/MainLoop.h"
#include "tests/engine/BrowserFixture.h"

namespace {

using AuthenticationTest = BrowserFixture;
using Login = std::pair<std::string, std::string>;

constexpr char kWelcome[] = "<title>Welcome</title>logged in";
constexpr char kRefused[] = "<title>Refused</title>You need to log in";

struct LoginCase {
    const char* name;
    Login expected;
    // What the user answers at each prompt; nothing for a cancelled one.
    std::vector<std::optional<Login>> answers;
    const char* title;
};

std::optional<CFakeSite::Login> Wide(const std::optional<Login>& login) {
    if (!login) return std::nullopt;
    return CFakeSite::Login{Utf8ToWide(login->first), Utf8ToWide(login->second)};
}

TEST_F(AuthenticationTest, SiteAnswersTheServersDemandForCredentials) {
    const Login user{"user", "secret"};
    const LoginCase cases[] = {
        {"right at once", user, {user}, "Welcome"},
        {"wrong, then right", user, {Login{"user", "wrong"}, user}, "Welcome"},
        {"cancelled", user, {std::nullopt}, "Refused"},
        {"wrong, then cancelled", user, {Login{"user", "wrong"}, std::nullopt}, "Refused"},
        {"user name of blanks", {"   ", "pass word"}, {Login{"   ", "pass word"}}, "Welcome"},
    };
    for (const LoginCase& c : cases) {
        SCOPED_TRACE(c.name);
        // A server of its own each time: WebKit keeps credentials for the session.
        TestServer protectedServer;
        protectedServer.Handle("/private", {200, "text/html", kWelcome, {}});
        protectedServer.RequireBasicAuth("/private", c.expected.first, c.expected.second, kRefused);
        site->calls.clear();
        site->logins.clear();
        for (const std::optional<Login>& answer : c.answers) site->logins.push_back(Wide(answer));

        ASSERT_TRUE(Load(protectedServer.Url("/private")));
        EXPECT_EQ(DocumentTitle(), c.title);
        EXPECT_EQ(site->Count("Authenticate"), static_cast<int>(c.answers.size()));
        EXPECT_EQ(site->Count("QueryService"), static_cast<int>(c.answers.size()));
        std::vector<Login> sent;
        for (const std::optional<Login>& answer : c.answers)
            if (answer) sent.push_back(*answer);
        EXPECT_EQ(protectedServer.Logins(), sent);
    }
    SaveScreenshot("engine-login-refused");
}

TEST_F(AuthenticationTest, WithoutASiteThePageShowsTheServersRefusal) {
    ASSERT_EQ(control->SetClientSite(nullptr), S_OK);
    server.Handle("/private", {200, "text/html", kWelcome, {}});
    server.RequireBasicAuth("/private", "user", "secret", kRefused);
    ASSERT_TRUE(Load(server.Url("/private")));
    EXPECT_EQ(DocumentTitle(), "Refused");
    EXPECT_TRUE(server.Logins().empty());
    EXPECT_EQ(site->Count("Authenticate"), 0);
}

}  // namespace
