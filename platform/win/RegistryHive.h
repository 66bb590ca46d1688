// The registry fallback for profile strings: Linux has no per-user registry, so keys live in a
// hive file of our own (DefaultHivePath()). Values come back exactly as written, whatever they
// hold; key paths and value names are compared ignoring ASCII case.
//
// File format (UTF-8, LF): "[key path]" lines, each followed by its "name=value" lines. In key
// paths, names and values, '%', '=', '[', ']', ';', control characters, and a space at either
// end are written %XX (UTF-8 bytes in hexadecimal); a lone UTF-16 surrogate is written %uXXXX.
#pragma once

#include <string>

#include "platform/win/ProfileStore.h"

class CRegistryHive : public ProfileStore {
public:
    // keyPrefix is the application's key, e.g.
    // u"software\\Local AppWizard-Generated Applications\\Veltrisk"; a section is one more
    // key level below it. An empty hivePath stores nothing (Read nullopt, Write false).
    CRegistryHive(std::string hivePath, std::u16string keyPrefix)
        : path_(std::move(hivePath)), prefix_(std::move(keyPrefix)) {}

    // "<home>/.veltrisk-registry", home being that of the user's passwd entry; "" when the user
    // has none (use CMemoryProfile then).
    static std::string DefaultHivePath();

    const std::string& Path() const { return path_; }

    std::optional<std::u16string> Read(std::u16string_view section,
                                       std::u16string_view key) override;
    bool Write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

private:
    std::u16string KeyPath(std::u16string_view section) const;

    std::string path_;  // UTF-8
    std::u16string prefix_;
};
