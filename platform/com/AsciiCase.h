// Names of the platform (files, classes, sections, keys) compare ignoring ASCII case only.
#pragma once

#include <algorithm>
#include <string_view>

template <class Char>
constexpr Char AsciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? Char(c + ('a' - 'A')) : c;
}

template <class Char>
constexpr bool EqualsIgnoringAsciiCase(std::basic_string_view<Char> a,
                                       std::basic_string_view<Char> b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](Char x, Char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}
