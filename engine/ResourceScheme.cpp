#include "engine/ResourceScheme.h"

#include <webkit2/webkit2.h>

#include <string>
#include <utility>

#include "engine/GObjectPtr.h"
#include "platform/com/TextConv.h"
#include "platform/win/Module.h"
#include "platform/win/Resource.h"

namespace {

constexpr char kScheme[] = "res";
constexpr std::size_t kMaxIdDigits = 5;

std::string ProgramPath() {
    std::u16string path(4096, u'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    // A path that filled the buffer may have been cut short; it names no resource then.
    if (length == 0 || length + 1 >= path.size()) return {};
    path.resize(length);
    return WideToUtf8(path);
}

std::optional<WORD> ParseId(std::string_view digits) {
    if (digits.empty() || digits.size() > kMaxIdDigits ||
        digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    const unsigned long id = std::stoul(std::string(digits));
    if (id > 0xFFFF) return std::nullopt;
    return static_cast<WORD>(id);
}

// An http page can read any res: address with a synchronous XMLHttpRequest; requests from other
// origins carry an Origin header, and only res pages may read resources.
bool FromResourceOrigin(WebKitURISchemeRequest* request) {
    SoupMessageHeaders* headers = webkit_uri_scheme_request_get_http_headers(request);
    const char* origin = headers ? soup_message_headers_get_one(headers, "Origin") : nullptr;
    return !origin || g_str_has_prefix(origin, "res://");
}

void Refuse(WebKitURISchemeRequest* request, GIOErrorEnum code, const char* message) {
    GError* error = g_error_new_literal(G_IO_ERROR, code, message);
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
}

void Serve(WebKitURISchemeRequest* request, const void* data, DWORD size) {
    GBytes* bytes = g_bytes_new(data, size);
    const GObjectPtr<GInputStream> stream(g_memory_input_stream_new_from_bytes(bytes));
    g_bytes_unref(bytes);
    const GObjectPtr<WebKitURISchemeResponse> response(
        webkit_uri_scheme_response_new(stream.get(), size));
    webkit_uri_scheme_response_set_content_type(response.get(), "text/html; charset=utf-8");
    webkit_uri_scheme_request_finish_with_response(request, response.get());
}

void HandleRequest(WebKitURISchemeRequest* request, gpointer) {
    if (!FromResourceOrigin(request)) {
        Refuse(request, G_IO_ERROR_PERMISSION_DENIED, "Resources are not readable from here");
        return;
    }
    const std::optional<WORD> id =
        ResourceIdFromUri(webkit_uri_scheme_request_get_uri(request), ProgramPath());
    const HRSRC resource =
        id ? FindResourceW(nullptr, MAKEINTRESOURCEW(*id), MAKEINTRESOURCEW(RT_HTML)) : nullptr;
    const void* data = resource ? LockResource(LoadResource(nullptr, resource)) : nullptr;
    if (!data) {
        Refuse(request, G_IO_ERROR_NOT_FOUND, "No such resource");
        return;
    }
    Serve(request, data, SizeofResource(nullptr, resource));
}

}  // namespace

void RegisterResourceScheme() {
    static bool registered = false;
    if (std::exchange(registered, true)) return;
    // Neither local nor secure: either breaks pop-ups and script errors of res pages.
    webkit_web_context_register_uri_scheme(webkit_web_context_get_default(), kScheme, HandleRequest,
                                           nullptr, nullptr);
}

std::optional<WORD> ResourceIdFromUri(const char* uri, std::string_view programPath) {
    if (!uri || programPath.empty()) return std::nullopt;
    GUri* parsed = g_uri_parse(uri, G_URI_FLAGS_NONE, nullptr);
    if (!parsed) return std::nullopt;
    const char* host = g_uri_get_host(parsed);
    const bool resourceUri =
        g_ascii_strcasecmp(g_uri_get_scheme(parsed), kScheme) == 0 && (!host || !*host);
    const std::string path = g_uri_get_path(parsed);
    g_uri_unref(parsed);
    if (!resourceUri) return std::nullopt;
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || std::string_view(path).substr(0, slash) != programPath) {
        return std::nullopt;
    }
    return ParseId(std::string_view(path).substr(slash + 1));
}
