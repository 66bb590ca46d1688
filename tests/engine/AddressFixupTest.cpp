#include <gtest/gtest.h>

#include "engine/AddressFixup.h"

namespace {

TEST(AddressFixupTest, AddsWhatABrowserWouldAndKeepsSchemes) {
    const std::pair<const char*, const char*> cases[] = {
        // Absolute paths become file URIs, escaped.
        {"/tmp/page.html", "file:///tmp/page.html"},
        {"/tmp/a b#c.html", "file:///tmp/a%20b%23c.html"},
        // Host names, with or without port and path, are reached over http.
        {"example.org", "http://example.org"},
        {"example.org/path?q=1", "http://example.org/path?q=1"},
        {"localhost:8080/x", "http://localhost:8080/x"},
        {"127.0.0.1:8080/x", "http://127.0.0.1:8080/x"},
        {"localhost:8080", "http://localhost:8080"},
        {"localhost:8080?q", "http://localhost:8080?q"},
        {"localhost:8080#top", "http://localhost:8080#top"},
        {"relative/page.html", "http://relative/page.html"},
        // A scheme is kept as given.
        {"about:blank", "about:blank"},
        {"http://example.org", "http://example.org"},
        {"HTTPS://example.org", "HTTPS://example.org"},
        {"file:///etc/hosts", "file:///etc/hosts"},
        {"res:///usr/bin/veltrisk/104", "res:///usr/bin/veltrisk/104"},
        {"data:text/html,<p>1</p>", "data:text/html,<p>1</p>"},
        {"javascript:alert(1)", "javascript:alert(1)"},
        {"view-source:http://a", "view-source:http://a"},
        {"x+y.z-w:rest", "x+y.z-w:rest"},
        // Digits after the colon that run into anything else are not a port.
        {"mailto:123abc", "mailto:123abc"},
        {"tel:5551234", "http://tel:5551234"},
        // No scheme: it must start with a letter and hold only scheme characters.
        {"1http://x", "http://1http://x"},
        {"a_b:c", "http://a_b:c"},
    };
    for (const auto& [address, expected] : cases) {
        EXPECT_EQ(FixUpAddress(address), expected) << address;
    }
}

}  // namespace
