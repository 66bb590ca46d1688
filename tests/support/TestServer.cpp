#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <algorithm>

TestServer::TestServer() : m_server(soup_server_new(nullptr, nullptr), g_object_unref) {
    soup_server_add_handler(m_server.get(), nullptr, Serve, this, nullptr);
    GError* error = nullptr;
    if (!soup_server_listen_local(m_server.get(), 0, SOUP_SERVER_LISTEN_IPV4_ONLY, &error)) {
        ADD_FAILURE() << "test server cannot listen: " << error->message;
        g_error_free(error);
        return;
    }
    GSList* uris = soup_server_get_uris(m_server.get());
    if (uris) m_port = static_cast<unsigned>(g_uri_get_port(static_cast<GUri*>(uris->data)));
    g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
}

TestServer::~TestServer() {
    soup_server_disconnect(m_server.get());
}

void TestServer::Handle(const std::string& path, TestResponse response) {
    m_responses[path] = std::move(response);
}

void TestServer::RequireBasicAuth(const std::string& path, std::string user, std::string password,
                                  std::string refusedBody) {
    if (!m_auth) {
        m_auth.reset(soup_auth_domain_basic_new("realm", kBasicRealm, nullptr));
        soup_auth_domain_basic_set_auth_callback(m_auth.get(), CheckLogin, this, nullptr);
    }
    m_protected[path] = {std::move(user), std::move(password), std::move(refusedBody)};
}

gboolean TestServer::CheckLogin(SoupAuthDomain*, SoupServerMessage* message, const char* user,
                                const char* password, gpointer self) {
    auto* server = static_cast<TestServer*>(self);
    server->m_logins.emplace_back(user, password);
    const auto found = server->m_protected.find(
        std::string_view(g_uri_get_path(soup_server_message_get_uri(message))));
    return found != server->m_protected.end() && found->second.user == user &&
           found->second.password == password;
}

// The domain is asked here rather than added to the server, which would answer 401 with no page.
bool TestServer::Admit(SoupServerMessage* message, const char* path) {
    const auto found = m_protected.find(std::string_view(path));
    if (found == m_protected.end()) return true;
    g_autofree char* user = soup_auth_domain_accepts(m_auth.get(), message);
    if (user) return true;
    soup_auth_domain_challenge(m_auth.get(), message);
    const std::string& body = found->second.refusedBody;
    soup_server_message_set_response(message, "text/html; charset=utf-8", SOUP_MEMORY_COPY,
                                     body.data(), body.size());
    return false;
}

std::string TestServer::Url(std::string_view path) const {
    return "http://" + HostAndPort() + std::string(path);
}

std::string TestServer::HostAndPort() const {
    return "127.0.0.1:" + std::to_string(m_port);
}

std::size_t TestServer::CountRequests(std::string_view path) const {
    return static_cast<std::size_t>(
        std::count_if(m_requests.begin(), m_requests.end(),
                      [&](const TestRequest& r) { return r.path == path; }));
}

void TestServer::Serve(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*,
                       gpointer self) {
    auto* server = static_cast<TestServer*>(self);
    GBytes* body = soup_message_body_flatten(soup_server_message_get_request_body(message));
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(body, &size));
    server->m_requests.push_back(
        {soup_server_message_get_method(message), path, std::string(data ? data : "", size)});
    g_bytes_unref(body);

    if (!server->Admit(message, path)) return;
    const auto found = server->m_responses.find(std::string_view(path));
    if (found == server->m_responses.end()) {
        soup_server_message_set_status(message, SOUP_STATUS_NOT_FOUND, nullptr);
        return;
    }
    const TestResponse& response = found->second;
    soup_server_message_set_status(message, response.status, nullptr);
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
    for (const auto& [name, value] : response.headers) {
        soup_message_headers_append(headers, name.c_str(), value.c_str());
    }
    soup_server_message_set_response(message, response.contentType.c_str(), SOUP_MEMORY_COPY,
                                     response.body.data(), response.body.size());
}
