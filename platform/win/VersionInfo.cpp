#include "platform/win/VersionInfo.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>

namespace {

constexpr std::size_t kHeaderSize = 3 * sizeof(WORD);  // wLength, wValueLength, wType
constexpr WORD kBinary = 0;
constexpr WORD kText = 1;

// A node's parts as offsets from the block's start; key and value, when present, lie inside it.
struct Node {
    std::size_t end;
    std::size_t key;
    std::size_t keyLength;  // units, without NUL
    std::size_t value;
    std::size_t valueBytes;
    WORD type;
    std::size_t children;
};

constexpr std::size_t Align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

// The block need not be aligned in memory.
WORD ReadWord(std::span<const std::uint8_t> block, std::size_t offset) {
    WORD word;
    std::memcpy(&word, block.data() + offset, sizeof word);
    return word;
}

std::optional<Node> ParseNode(std::span<const std::uint8_t> block, std::size_t start,
                              std::size_t limit) {
    if (start + kHeaderSize > limit) return std::nullopt;
    const WORD length = ReadWord(block, start);
    const WORD valueLength = ReadWord(block, start + 2);
    const WORD type = ReadWord(block, start + 4);
    if (length < kHeaderSize || start + length > limit || (type != kBinary && type != kText))
        return std::nullopt;
    Node node{};
    node.end = start + length;
    node.key = start + kHeaderSize;
    std::size_t nul = node.key;
    while (nul + sizeof(WCHAR) <= node.end && ReadWord(block, nul) != 0) nul += sizeof(WCHAR);
    if (nul + sizeof(WCHAR) > node.end) return std::nullopt;
    node.keyLength = (nul - node.key) / sizeof(WCHAR);
    node.value = Align4(nul + sizeof(WCHAR));
    node.valueBytes = type == kText ? valueLength * sizeof(WCHAR) : valueLength;
    if (node.valueBytes > 0 && node.value + node.valueBytes > node.end) return std::nullopt;
    node.type = type;
    node.children = Align4(node.value + node.valueBytes);
    return node;
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
}

bool KeyIs(std::span<const std::uint8_t> block, const Node& node, std::u16string_view name) {
    if (node.keyLength != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (AsciiLower(ReadWord(block, node.key + i * sizeof(WCHAR))) != AsciiLower(name[i]))
            return false;
    }
    return true;
}

std::optional<Node> FindChild(std::span<const std::uint8_t> block, const Node& parent,
                              std::u16string_view name) {
    for (std::size_t offset = parent.children; offset + kHeaderSize <= parent.end;) {
        const std::optional<Node> child = ParseNode(block, offset, parent.end);
        if (!child || KeyIs(block, *child, name)) return child;
        offset = Align4(child->end);
    }
    return std::nullopt;
}

std::optional<Node> FindPath(std::span<const std::uint8_t> block, std::u16string_view path) {
    std::optional<Node> node = ParseNode(block, 0, block.size());
    if (!node || !KeyIs(block, *node, u"VS_VERSION_INFO")) return std::nullopt;
    while (node && !path.empty()) {
        const std::size_t separator = path.find(u'\\');
        const std::u16string_view name = path.substr(0, separator);
        path = separator == std::u16string_view::npos ? u"" : path.substr(separator + 1);
        if (!name.empty()) node = FindChild(block, *node, name);
    }
    return node;
}

struct Value {
    std::size_t offset;
    UINT length;  // bytes for binary values, WCHARs with the NUL for text
};

std::optional<Value> ValueOf(std::span<const std::uint8_t> block, const Node& node) {
    // The key's NUL serves as the empty text of a node without a value.
    if (node.valueBytes == 0) return Value{node.key + node.keyLength * sizeof(WCHAR), 0};
    if (node.type == kBinary) return Value{node.value, static_cast<UINT>(node.valueBytes)};
    for (std::size_t offset = node.value; offset < node.value + node.valueBytes;
         offset += sizeof(WCHAR)) {
        if (ReadWord(block, offset) == 0)
            return Value{node.value, static_cast<UINT>((offset - node.value) / sizeof(WCHAR) + 1)};
    }
    return std::nullopt;  // a text must end inside its value
}

struct LocaleLanguage {
    std::string_view language;
    std::string_view territory;
    LANGID id;
};

// A language's first row is its primary country, taken for a bare or unknown territory.
constexpr LocaleLanguage kLocaleLanguages[] = {
    {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009},
    {"de", "DE", 0x0407}, {"de", "CH", 0x0807}, {"de", "AT", 0x0C07}, {"fr", "FR", 0x040C},
    {"fr", "CA", 0x0C0C}, {"es", "ES", 0x0C0A}, {"es", "MX", 0x080A}, {"it", "IT", 0x0410},
    {"ja", "JP", 0x0411}, {"ko", "KR", 0x0412}, {"nl", "NL", 0x0413}, {"pl", "PL", 0x0415},
    {"pt", "BR", 0x0416}, {"pt", "PT", 0x0816}, {"ru", "RU", 0x0419}, {"sv", "SE", 0x041D},
    {"zh", "CN", 0x0804}, {"zh", "TW", 0x0404},
};
constexpr LANGID kDefaultLanguage = 0x0409;

std::string_view LocaleFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

}  // namespace

BOOL VerQueryValueW(const void* block, LPCWSTR subBlock, LPVOID* buffer, UINT* length) {
    if (!block || !subBlock || !buffer || !length) return FALSE;
    const auto* bytes = static_cast<const std::uint8_t*>(block);
    const std::span<const std::uint8_t> sized(bytes, ReadWord({bytes, sizeof(WORD)}, 0));
    const std::optional<Node> node = FindPath(sized, subBlock);
    const std::optional<Value> value = node ? ValueOf(sized, *node) : std::nullopt;
    if (!value) return FALSE;
    *buffer = const_cast<std::uint8_t*>(bytes + value->offset);
    *length = value->length;
    return TRUE;
}

LANGID GetUserDefaultLangID() {
    std::string_view locale = LocaleFromEnvironment();
    locale = locale.substr(0, locale.find_first_of(".@"));  // drop codeset and modifier
    const std::size_t underscore = locale.find('_');
    const std::string_view language = locale.substr(0, underscore);
    const std::string_view territory =
        underscore == std::string_view::npos ? "" : locale.substr(underscore + 1);
    const LocaleLanguage* primary = nullptr;
    for (const LocaleLanguage& row : kLocaleLanguages) {
        if (row.language != language) continue;
        if (row.territory == territory) return row.id;
        if (!primary) primary = &row;
    }
    return primary ? primary->id : kDefaultLanguage;
}
