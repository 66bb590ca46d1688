#include "platform/win/RegistryHive.h"

#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/com/AsciiCase.h"
#include "platform/com/TextConv.h"
#include "platform/win/AtomicFile.h"
#include "platform/win/TextLines.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kHeader =
    "; Veltrisk settings (registry stand-in). Escapes: %XX bytes, %uXXXX lone UTF-16 units.\n";
constexpr char kHex[] = "0123456789ABCDEF";

bool IsSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}
bool IsHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::string Encode(std::u16string_view s) {
    std::string out;
    out.reserve(s.size() + 8);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            const bool edgeSpace = c == ' ' && (i == 0 || i + 1 == s.size());
            if (c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']' || c == ';' ||
                edgeSpace) {
                out += '%';
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        } else if (IsHigh(c) && i + 1 < s.size() && IsLow(s[i + 1])) {
            out += WideToUtf8(s.substr(i, 2));
            ++i;
        } else if (IsSurrogate(c)) {
            out += "%u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
        } else {
            out += WideToUtf8(s.substr(i, 1));
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Hexadecimal digits at s[pos, pos + count), or -1.
int HexAt(std::string_view s, std::size_t pos, std::size_t count) {
    if (pos + count > s.size()) return -1;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = HexValue(s[pos + i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

std::u16string Decode(std::string_view s) {
    std::u16string out;
    std::string bytes;  // UTF-8 not yet decoded
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%') {
            if (const int unit = HexAt(s, i + 2, 4);
                i + 1 < s.size() && s[i + 1] == 'u' && unit >= 0) {
                out += Utf8ToWide(bytes);
                bytes.clear();
                out += static_cast<char16_t>(unit);
                i += 5;
                continue;
            }
            if (const int byte = HexAt(s, i + 1, 2); byte >= 0) {
                bytes += static_cast<char>(byte);
                i += 2;
                continue;
            }
        }
        bytes += s[i];
    }
    out += Utf8ToWide(bytes);
    return out;
}

enum class Kind { Blank, Key, Value, Other };

Kind KindOf(std::string_view text) {
    if (text.empty()) return Kind::Blank;
    if (text.front() == ';') return Kind::Other;
    if (text.front() == '[' && text.back() == ']' && text.size() >= 2) return Kind::Key;
    return text.find('=') != npos ? Kind::Value : Kind::Other;
}

struct Location {
    std::size_t key = npos;          // the first "[key path]" line of that path
    std::size_t value = npos;        // the first value of that name below it
    std::size_t lastContent = npos;  // the last line of that key that is not blank
};

Location Find(std::string_view data, const std::vector<TextLine>& lines,
              std::u16string_view keyPath, std::u16string_view name) {
    Location location;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text =
            data.substr(lines[i].textBegin, lines[i].textEnd - lines[i].textBegin);
        const Kind kind = KindOf(text);
        if (location.key == npos) {
            if (kind == Kind::Key && EqualsIgnoringAsciiCase<char16_t>(
                                         Decode(text.substr(1, text.size() - 2)), keyPath)) {
                location.key = location.lastContent = i;
            }
            continue;
        }
        if (kind == Kind::Key) break;
        if (kind != Kind::Blank) location.lastContent = i;
        if (kind == Kind::Value && location.value == npos &&
            EqualsIgnoringAsciiCase<char16_t>(Decode(text.substr(0, text.find('='))), name)) {
            location.value = i;
        }
    }
    return location;
}

}  // namespace

std::string CRegistryHive::DefaultHivePath() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry;
    passwd* result = nullptr;
    int error;
    while ((error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result)) ==
               ERANGE &&
           buffer.size() < (std::size_t{1} << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    if (error != 0 || !result || !result->pw_dir || result->pw_dir[0] != '/') return {};
    std::string home = result->pw_dir;
    while (!home.empty() && home.back() == '/') home.pop_back();
    return home + "/.veltrisk-registry";
}

std::u16string CRegistryHive::KeyPath(std::u16string_view section) const {
    std::u16string path = prefix_;
    if (!path.empty() && path.back() != u'\\') path += u'\\';
    path += section;
    return path;
}

std::optional<std::u16string> CRegistryHive::Read(std::u16string_view section,
                                                  std::u16string_view key) {
    std::string data;
    bool missing = false;
    if (path_.empty() || !ReadWholeFile(path_, data, missing)) return std::nullopt;
    const std::vector<TextLine> lines = SplitLines(data);
    const Location location = Find(data, lines, KeyPath(section), key);
    if (location.value == npos) return std::nullopt;
    const TextLine& line = lines[location.value];
    const std::string_view text =
        std::string_view(data).substr(line.textBegin, line.textEnd - line.textBegin);
    return Decode(text.substr(text.find('=') + 1));
}

bool CRegistryHive::Write(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
    if (path_.empty()) return false;
    std::string data;
    bool missing = false;
    if (!ReadWholeFile(path_, data, missing) && !missing) return false;
    const std::string_view file = data;
    const std::u16string keyPath = KeyPath(section);
    const std::vector<TextLine> lines = SplitLines(file);
    const Location location = Find(file, lines, keyPath, key);

    std::string out;
    if (location.value != npos) {
        // Keep the name as first written; replace the value.
        const TextLine& line = lines[location.value];
        const std::size_t eq = file.find('=', line.textBegin);
        out.append(file.substr(0, eq + 1));
        out += Encode(value);
        out.append(file.substr(line.textEnd));
    } else if (location.key != npos) {
        const TextLine& after = lines[location.lastContent];
        out.append(file.substr(0, after.end));
        if (after.end == after.textEnd) out += '\n';
        out += Encode(key) + '=' + Encode(value) + '\n';
        out.append(file.substr(after.end));
    } else {
        out = data.empty() ? std::string(kHeader) : data;
        if (out.back() != '\n') out += '\n';
        out += '[' + Encode(keyPath) + "]\n";
        out += Encode(key) + '=' + Encode(value) + '\n';
    }
    if (!missing && out == data) return true;
    return WriteFileAtomically(path_, out);
}
