// Profile strings kept in memory for this run only: used when no settings file can be had (no
// home folder, or its folders cannot be created). Values come back exactly as written; section
// and key names are compared ignoring ASCII case.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/win/ProfileStore.h"

class CMemoryProfile : public ProfileStore {
public:
    std::optional<std::u16string> Read(std::u16string_view section,
                                       std::u16string_view key) override;
    bool Write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

private:
    // Keyed by the names in ASCII lower case.
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> values_;
};
