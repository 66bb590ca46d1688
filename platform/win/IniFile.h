// Profile strings in an INI file, read and written the way Windows' private profile functions
// do: section and key names compared ignoring ASCII case and surrounding blanks, values trimmed
// of blanks on read. The file is read again at every call (no cache), and replaced atomically
// on write with every other line kept byte for byte.
#pragma once

#include <string>

#include "platform/win/ProfileStore.h"

class CIniFile : public ProfileStore {
public:
    explicit CIniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    std::optional<std::u16string> Read(std::u16string_view section,
                                       std::u16string_view key) override;
    // Refuses (false, file untouched) a value with CR, LF or NUL; a key that is blank, holds
    // '=', CR, LF or NUL, or starts with '[' or ';' (it would read back as a section or a
    // comment); a section that is blank or holds ']', CR, LF or NUL. Also false when the file
    // exists but cannot be read, or its folder does not exist.
    bool Write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override;

private:
    std::string path_;  // UTF-8
};
