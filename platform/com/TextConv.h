// UTF-16 inside, UTF-8 at the edges: the two conversions every edge uses.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/Types.h"

// Invalid input sequences become U+FFFD; nothing is dropped silently.
std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view wide);

// Length of a NUL-terminated wide text; 0 for null.
std::size_t WideLength(LPCWSTR text);
