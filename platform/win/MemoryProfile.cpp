#include "platform/win/MemoryProfile.h"

namespace {

std::u16string AsciiLower(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out) {
        if (c >= u'A' && c <= u'Z') c += u'a' - u'A';
    }
    return out;
}

}  // namespace

std::optional<std::u16string> CMemoryProfile::Read(std::u16string_view section,
                                                   std::u16string_view key) {
    const auto it = values_.find({AsciiLower(section), AsciiLower(key)});
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool CMemoryProfile::Write(std::u16string_view section, std::u16string_view key,
                           std::u16string_view value) {
    values_[{AsciiLower(section), AsciiLower(key)}] = std::u16string(value);
    return true;
}
