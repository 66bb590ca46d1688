// Builds binary VS_VERSIONINFO blocks, laid out as VerQueryValueW reads them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/com/Types.h"

struct VersionFixedInfo {
    std::array<WORD, 4> fileVersion;  // major, minor, build, revision
    std::array<WORD, 4> productVersion;
    DWORD flagsMask;
    DWORD flags;
    DWORD os;
    DWORD fileType;
};

struct VersionString {
    std::u16string_view key;
    std::u16string_view value;
};

class CVersionBlockWriter {
public:
    explicit CVersionBlockWriter(const VersionFixedInfo& fixed) : m_fixed(fixed) {}

    // block names the table, e.g. u"040904B0"; the strings keep their order.
    void AddStringTable(std::u16string_view block, std::span<const VersionString> strings);
    // Without any translation the block has no VarFileInfo.
    void AddTranslation(LANGID language, WORD codePage);

    // Throws std::length_error when a node outgrows the 64 KiB its WORD length can tell.
    std::vector<std::uint8_t> Build() const;

private:
    VersionFixedInfo m_fixed;
    std::vector<std::vector<std::uint8_t>> m_stringTables;  // finished nodes
    std::vector<DWORD> m_translations;
};
