// An HTTP server for tests on 127.0.0.1, at a port the system picks. Each path answers what the
// test set up for it, any other path gets a 404; every request is recorded. The server runs on
// the default main context, so a test runs the main loop (RunUntil) while it waits.
#pragma once

#include <libsoup/soup.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TestResponse {
    unsigned status = 200;
    std::string contentType = "text/html; charset=utf-8";
    std::string body;
    // Extra response headers, such as Location for a redirect.
    std::vector<std::pair<std::string, std::string>> headers;
};

struct TestRequest {
    std::string method;
    std::string path;
    std::string body;
};

class TestServer {
public:
    TestServer();
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Replaces what path answers.
    void Handle(const std::string& path, TestResponse response);
    // From now on path answers only requests carrying this user name and password (HTTP Basic,
    // realm kBasicRealm); any other request gets 401 with refusedBody as its page.
    void RequireBasicAuth(const std::string& path, std::string user, std::string password,
                          std::string refusedBody);
    // "http://127.0.0.1:<port>" followed by path.
    std::string Url(std::string_view path) const;
    // "127.0.0.1:<port>".
    std::string HostAndPort() const;
    const std::vector<TestRequest>& Requests() const { return m_requests; }
    std::size_t CountRequests(std::string_view path) const;
    // Every user name and password a request to a protected path carried, in order.
    const std::vector<std::pair<std::string, std::string>>& Logins() const { return m_logins; }

    static constexpr char kBasicRealm[] = "Veltrisk tests";

private:
    struct Protection {
        std::string user;
        std::string password;
        std::string refusedBody;
    };

    static void Serve(SoupServer* server, SoupServerMessage* message, const char* path,
                      GHashTable* query, gpointer self);
    static gboolean CheckLogin(SoupAuthDomain* domain, SoupServerMessage* message, const char* user,
                               const char* password, gpointer self);
    // False when the request may not have path, after answering it with 401.
    bool Admit(SoupServerMessage* message, const char* path);

    std::unique_ptr<SoupServer, decltype(&g_object_unref)> m_server;
    unsigned m_port = 0;
    std::map<std::string, TestResponse, std::less<>> m_responses;
    std::vector<TestRequest> m_requests;
    std::unique_ptr<SoupAuthDomain, decltype(&g_object_unref)> m_auth{nullptr, g_object_unref};
    std::map<std::string, Protection, std::less<>> m_protected;
    std::vector<std::pair<std::string, std::string>> m_logins;
};
