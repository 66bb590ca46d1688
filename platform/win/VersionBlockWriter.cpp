#include "platform/win/VersionBlockWriter.h"

#include <stdexcept>

#include "platform/win/VersionInfo.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr WORD kBinary = 0;
constexpr WORD kText = 1;

void PutWord(Bytes& out, WORD value) {
    out.push_back(LOBYTE(value));
    out.push_back(HIBYTE(value));
}

void PutDword(Bytes& out, DWORD value) {
    PutWord(out, LOWORD(value));
    PutWord(out, HIWORD(value));
}

void PutText(Bytes& out, std::u16string_view text) {
    for (const char16_t unit : text) PutWord(out, unit);
    PutWord(out, 0);
}

void PadTo4(Bytes& out) {
    out.resize((out.size() + 3) & ~std::size_t{3}, 0);
}

WORD WordLength(std::size_t size) {
    if (size > 0xFFFF) throw std::length_error("version resource node exceeds 64 KiB");
    return static_cast<WORD>(size);
}

// valueLength counts WCHARs for text values and bytes for binary ones, as the format does.
Bytes Node(std::u16string_view key, WORD type, WORD valueLength, const Bytes& value,
           std::span<const Bytes> children) {
    Bytes out;
    PutWord(out, 0);  // wLength, known at the end
    PutWord(out, valueLength);
    PutWord(out, type);
    PutText(out, key);
    PadTo4(out);
    out.insert(out.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        PadTo4(out);
        out.insert(out.end(), child.begin(), child.end());
    }
    const WORD length = WordLength(out.size());
    out[0] = LOBYTE(length);
    out[1] = HIBYTE(length);
    return out;
}

Bytes TextNode(std::u16string_view key, std::u16string_view text) {
    Bytes value;
    PutText(value, text);
    return Node(key, kText, WordLength(text.size() + 1), value, {});
}

Bytes FixedInfo(const VersionFixedInfo& fixed) {
    const DWORD fields[] = {
        VS_FFI_SIGNATURE,
        VS_FFI_STRUCVERSION,
        MAKELONG(fixed.fileVersion[1], fixed.fileVersion[0]),
        MAKELONG(fixed.fileVersion[3], fixed.fileVersion[2]),
        MAKELONG(fixed.productVersion[1], fixed.productVersion[0]),
        MAKELONG(fixed.productVersion[3], fixed.productVersion[2]),
        fixed.flagsMask,
        fixed.flags,
        fixed.os,
        fixed.fileType,
        0,  // subtype
        0,  // date, high and low
        0,
    };
    static_assert(sizeof fields == sizeof(VS_FIXEDFILEINFO));
    Bytes out;
    for (const DWORD field : fields) PutDword(out, field);
    return out;
}

}  // namespace

void CVersionBlockWriter::AddStringTable(std::u16string_view block,
                                         std::span<const VersionString> strings) {
    std::vector<Bytes> children;
    for (const VersionString& string : strings)
        children.push_back(TextNode(string.key, string.value));
    m_stringTables.push_back(Node(block, kText, 0, {}, children));
}

void CVersionBlockWriter::AddTranslation(LANGID language, WORD codePage) {
    m_translations.push_back(MAKELONG(language, codePage));
}

std::vector<std::uint8_t> CVersionBlockWriter::Build() const {
    std::vector<Bytes> children;
    if (!m_stringTables.empty())
        children.push_back(Node(u"StringFileInfo", kText, 0, {}, m_stringTables));
    if (!m_translations.empty()) {
        Bytes translations;
        for (const DWORD translation : m_translations) PutDword(translations, translation);
        const Bytes var =
            Node(u"Translation", kBinary, WordLength(translations.size()), translations, {});
        children.push_back(Node(u"VarFileInfo", kText, 0, {}, std::span(&var, 1)));
    }
    const Bytes fixed = FixedInfo(m_fixed);
    return Node(u"VS_VERSION_INFO", kBinary, WordLength(fixed.size()), fixed, children);
}
