#include "engine/AddressFixup.h"

#include <glib.h>

#include <algorithm>

namespace {

constexpr std::string_view kSchemeChars =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+.-";
constexpr std::string_view kDigits = "0123456789";

// "localhost:8080/x": digits after the colon, then the end or the rest of a URL, make a port.
bool IsPort(std::string_view afterColon) {
    const std::size_t end = std::min(afterColon.find_first_not_of(kDigits), afterColon.size());
    if (end == 0) return false;
    return end == afterColon.size() ||
           std::string_view("/?#").find(afterColon[end]) != std::string_view::npos;
}

bool HasScheme(std::string_view address) {
    if (address.empty() || !g_ascii_isalpha(address.front())) return false;
    const std::size_t colon = address.find_first_not_of(kSchemeChars);
    if (colon == std::string_view::npos || address[colon] != ':') return false;
    return !IsPort(address.substr(colon + 1));
}

}  // namespace

std::string FixUpAddress(std::string_view address) {
    if (address.starts_with('/')) {
        g_autofree char* uri = g_filename_to_uri(std::string(address).c_str(), nullptr, nullptr);
        return uri ? uri : std::string(address);
    }
    if (HasScheme(address)) return std::string(address);
    return "http://" + std::string(address);
}
