// Where CWinApp's profile strings live: an INI file, the registry stand-in, or memory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // nullopt when the section or key is missing or the store cannot be read.
    virtual std::optional<std::u16string> Read(std::u16string_view section,
                                               std::u16string_view key) = 0;
    // false when the value was not stored; the store is then unchanged.
    virtual bool Write(std::u16string_view section, std::u16string_view key,
                       std::u16string_view value) = 0;
};
