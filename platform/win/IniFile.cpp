#include "platform/win/IniFile.h"

#include <algorithm>
#include <vector>

#include "platform/com/AsciiCase.h"
#include "platform/com/TextConv.h"
#include "platform/win/AtomicFile.h"
#include "platform/win/TextLines.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

enum class Kind { Blank, Comment, Section, Key, Other };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

Parsed Parse(std::string_view text) {
    Parsed parsed;
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        parsed.kind = Kind::Blank;
    } else if (trimmed.front() == ';') {
        parsed.kind = Kind::Comment;
    } else if (trimmed.front() == '[') {
        parsed.kind = Kind::Section;
        const std::string_view inner = trimmed.substr(1);
        parsed.name = Trim(inner.substr(0, inner.find(']')));
    } else if (const std::size_t eq = trimmed.find('='); eq != npos) {
        parsed.kind = Kind::Key;
        parsed.name = Trim(trimmed.substr(0, eq));
        parsed.value = Trim(trimmed.substr(eq + 1));
    }
    return parsed;
}

std::string_view TextOf(std::string_view data, const TextLine& line) {
    return data.substr(line.textBegin, line.textEnd - line.textBegin);
}

// Where a key is, or would go, in the file; indexes into the lines, npos when absent.
struct Location {
    std::size_t section = npos;      // the first section of that name
    std::size_t key = npos;          // the first key of that name in it
    std::size_t lastContent = npos;  // its last line that is not blank (the header at least)
};

Location Find(std::string_view data, const std::vector<TextLine>& lines, std::string_view section,
              std::string_view key) {
    Location location;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Parsed parsed = Parse(TextOf(data, lines[i]));
        if (location.section == npos) {
            if (parsed.kind == Kind::Section &&
                EqualsIgnoringAsciiCase<char>(parsed.name, section)) {
                location.section = location.lastContent = i;
            }
            continue;
        }
        if (parsed.kind == Kind::Section) break;
        if (parsed.kind != Kind::Blank) location.lastContent = i;
        if (parsed.kind == Kind::Key && location.key == npos &&
            EqualsIgnoringAsciiCase<char>(parsed.name, key)) {
            location.key = i;
        }
    }
    return location;
}

// The file's own line ending (that of its first line); LF for a file without one.
std::string_view NewlineOf(std::string_view data) {
    const std::size_t lf = data.find('\n');
    return lf != npos && lf > 0 && data[lf - 1] == '\r' ? "\r\n" : "\n";
}

bool Contains(std::u16string_view s, std::u16string_view chars) {
    return s.find_first_of(chars) != std::u16string_view::npos;
}

}  // namespace

std::optional<std::u16string> CIniFile::Read(std::u16string_view section, std::u16string_view key) {
    const std::string sectionName(Trim(WideToUtf8(section)));
    const std::string keyName(Trim(WideToUtf8(key)));
    if (keyName.empty()) return std::nullopt;
    std::string data;
    bool missing = false;
    if (!ReadWholeFile(path_, data, missing)) return std::nullopt;
    const std::vector<TextLine> lines = SplitLines(data);
    const Location location = Find(data, lines, sectionName, keyName);
    if (location.key == npos) return std::nullopt;
    return Utf8ToWide(Parse(TextOf(data, lines[location.key])).value);
}

bool CIniFile::Write(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) {
    using namespace std::string_view_literals;
    if (Contains(value, u"\r\n\0"sv)) return false;
    if (Contains(key, u"=\r\n\0"sv) || Contains(section, u"]\r\n\0"sv)) return false;
    const std::string sectionName(Trim(WideToUtf8(section)));
    const std::string keyName(Trim(WideToUtf8(key)));
    if (sectionName.empty() || keyName.empty()) return false;
    if (keyName.front() == '[' || keyName.front() == ';') return false;
    const std::string valueText = WideToUtf8(value);

    std::string data;
    bool missing = false;
    if (!ReadWholeFile(path_, data, missing) && !missing) return false;
    const std::string_view file = data;
    const std::string_view newline = NewlineOf(file);
    const std::vector<TextLine> lines = SplitLines(file);
    const Location location = Find(file, lines, sectionName, keyName);

    std::string out;
    out.reserve(data.size() + sectionName.size() + keyName.size() + valueText.size() + 8);
    if (location.key != npos) {
        // Keep the line's own key text (and indentation) and line ending; replace the rest.
        const TextLine& line = lines[location.key];
        const std::string_view text = TextOf(file, line);
        const std::string_view name = Trim(text.substr(0, text.find('=')));
        const std::size_t keyEnd =
            line.textBegin + static_cast<std::size_t>(name.data() - text.data()) + name.size();
        out.append(file.substr(0, keyEnd));
        out += '=';
        out += valueText;
        out.append(file.substr(line.textEnd));
    } else if (location.section != npos) {
        // After the section's last non-blank line, so blank lines before the next section stay.
        const TextLine& after = lines[location.lastContent];
        out.append(file.substr(0, after.end));
        if (after.end == after.textEnd) out += newline;  // the last line had no line ending
        out += keyName;
        out += '=';
        out += valueText;
        out += newline;
        out.append(file.substr(after.end));
    } else {
        out = data;
        if (!out.empty() && out.back() != '\n') out += newline;
        out += '[';
        out += sectionName;
        out += ']';
        out += newline;
        out += keyName;
        out += '=';
        out += valueText;
        out += newline;
    }
    if (!missing && out == data) return true;
    return WriteFileAtomically(path_, out);
}
