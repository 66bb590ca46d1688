#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win/VersionBlockWriter.h"
#include "platform/win/VersionInfo.h"
#include "tests/platform/win/VersionLocaleOverride.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr VersionFixedInfo kFixed{{1, 2, 3, 4}, {5, 6, 7, 8},     VS_FFI_FILEFLAGSMASK,
                                  0x2,          VOS_NT_WINDOWS32, VFT_APP};

// One table, one string, one translation: small enough to lay out by hand.
Bytes MinimalBlock() {
    CVersionBlockWriter writer(kFixed);
    const VersionString strings[] = {{u"CompanyName", u"Corvane"}};
    writer.AddStringTable(u"040904B0", strings);
    writer.AddTranslation(0x0409, 0x04B0);
    return writer.Build();
}

Bytes TwoLanguageBlock() {
    CVersionBlockWriter writer(kFixed);
    const VersionString english[] = {
        {u"CompanyName", u"Corvane"}, {u"Comments", u""}, {u"ProductName", u"Veltrisk"}};
    const VersionString german[] = {{u"CompanyName", u"Corvane GmbH"}};
    writer.AddStringTable(u"040904B0", english);
    writer.AddStringTable(u"040704B0", german);
    writer.AddTranslation(0x0409, 0x04B0);
    writer.AddTranslation(0x0407, 0x04B0);
    return writer.Build();
}

WORD WordAt(const Bytes& block, std::size_t offset) {
    return static_cast<WORD>(block[offset] | block[offset + 1] << 8);
}

void SetWord(Bytes& block, std::size_t offset, WORD value) {
    block[offset] = LOBYTE(value);
    block[offset + 1] = HIBYTE(value);
}

std::u16string Text(LPVOID value) {
    return static_cast<LPCWSTR>(value);
}

// The block in a heap buffer of exactly its size, so that the sanitizer sees any read past it.
std::unique_ptr<std::uint8_t[]> ExactCopy(const Bytes& block) {
    auto copy = std::make_unique<std::uint8_t[]>(block.size());
    std::memcpy(copy.get(), block.data(), block.size());
    return copy;
}

constexpr const char16_t* kMinimalPaths[] = {u"\\", u"\\StringFileInfo\\040904B0\\CompanyName",
                                             u"\\VarFileInfo\\Translation"};

}  // namespace

TEST(VersionBlockWriter, LaysOutNodesAsWindowsDoes) {
    const Bytes block = MinimalBlock();
    ASSERT_EQ(block.size(), 268u);
    struct Header {
        std::size_t offset;
        WORD length, valueLength, type;
    };
    const Header headers[] = {
        {0, 268, 52, 0},  // VS_VERSION_INFO, fixed info at 40
        {92, 108, 0, 1},  // StringFileInfo
        {128, 72, 0, 1},  // 040904B0
        {152, 48, 8, 1},  // CompanyName, value at 184
        {200, 68, 0, 1},  // VarFileInfo
        {232, 36, 4, 0},  // Translation, value at 264
    };
    for (const Header& h : headers) {
        SCOPED_TRACE(h.offset);
        EXPECT_EQ(WordAt(block, h.offset), h.length);
        EXPECT_EQ(WordAt(block, h.offset + 2), h.valueLength);
        EXPECT_EQ(WordAt(block, h.offset + 4), h.type);
    }
    EXPECT_EQ(WordAt(block, 40), 0x04BD);  // signature, low word
    EXPECT_EQ(WordAt(block, 42), 0xFEEF);
    EXPECT_EQ(WordAt(block, 184), u'C');
    EXPECT_EQ(WordAt(block, 198), 0);
    EXPECT_EQ(WordAt(block, 264), 0x0409);
    EXPECT_EQ(WordAt(block, 266), 0x04B0);
}

TEST(VerQueryValueW, RootGivesFixedFileInfo) {
    const Bytes block = MinimalBlock();
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, value, sizeof info);
    EXPECT_EQ(info.dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(info.dwStrucVersion, VS_FFI_STRUCVERSION);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00030004u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00050006u);
    EXPECT_EQ(info.dwProductVersionLS, 0x00070008u);
    EXPECT_EQ(info.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(info.dwFileFlags, 0x2u);
    EXPECT_EQ(info.dwFileOS, 0x40004u);
    EXPECT_EQ(info.dwFileType, 1u);
    EXPECT_EQ(info.dwFileSubtype, 0u);
}

TEST(VerQueryValueW, StringsByPathIgnoringCase) {
    const Bytes block = TwoLanguageBlock();
    struct Case {
        const char16_t* path;
        std::u16string text;  // empty with length 0 for a missing value
        UINT length;          // WCHARs with the terminator
    };
    const Case cases[] = {
        {u"\\StringFileInfo\\040904B0\\CompanyName", u"Corvane", 8},
        {u"\\stringfileinfo\\040904b0\\COMPANYNAME", u"Corvane", 8},
        {u"\\StringFileInfo\\040704B0\\CompanyName", u"Corvane GmbH", 13},
        {u"\\StringFileInfo\\040904B0\\ProductName", u"Veltrisk", 9},
        {u"\\StringFileInfo\\040904B0\\Comments", u"", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path)));
        LPVOID value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), c.path, &value, &length));
        EXPECT_EQ(Text(value), c.text);
        EXPECT_EQ(length, c.length);
    }
}

TEST(VerQueryValueW, TranslationLengthIsInBytes) {
    const Bytes block = TwoLanguageBlock();
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 8u);
    DWORD translations[2];
    std::memcpy(translations, value, sizeof translations);
    EXPECT_EQ(translations[0], 0x04B00409u);
    EXPECT_EQ(translations[1], 0x04B00407u);
}

TEST(VerQueryValueW, MissingPathsFail) {
    const Bytes block = TwoLanguageBlock();
    for (const char16_t* path :
         {u"\\StringFileInfo\\040904B0\\Missing", u"\\StringFileInfo\\040904B0\\Company",
          u"\\StringFileInfo\\040904B0\\CompanyNameX", u"\\StringFileInfo\\040C04B0\\CompanyName",
          u"\\VarFileInfo\\Translations", u"\\Nothing"}) {
        LPVOID value = nullptr;
        UINT length = 0;
        EXPECT_FALSE(VerQueryValueW(block.data(), path, &value, &length))
            << std::string(path, path + std::char_traits<char16_t>::length(path));
    }
}

TEST(VerQueryValueW, NoTranslationTableMeansNoVarFileInfo) {
    CVersionBlockWriter writer(kFixed);
    const VersionString strings[] = {{u"CompanyName", u"Corvane"}};
    writer.AddStringTable(u"040904B0", strings);
    const Bytes block = writer.Build();
    LPVOID value = nullptr;
    UINT length = 0;
    EXPECT_FALSE(VerQueryValueW(block.data(), u"\\VarFileInfo", &value, &length));
    EXPECT_FALSE(VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_TRUE(
        VerQueryValueW(block.data(), u"\\StringFileInfo\\040904B0\\CompanyName", &value, &length));
    EXPECT_EQ(Text(value), u"Corvane");
}

TEST(VerQueryValueW, NullArgumentsFail) {
    const Bytes block = MinimalBlock();
    LPVOID value = nullptr;
    UINT length = 0;
    EXPECT_FALSE(VerQueryValueW(nullptr, u"\\", &value, &length));
    EXPECT_FALSE(VerQueryValueW(block.data(), nullptr, &value, &length));
    EXPECT_FALSE(VerQueryValueW(block.data(), u"\\", nullptr, &length));
    EXPECT_FALSE(VerQueryValueW(block.data(), u"\\", &value, nullptr));
}

// Offsets are those of the minimal block's layout above.
TEST(VerQueryValueW, MalformedNodesFail) {
    struct Case {
        const char* what;
        std::size_t offset;
        WORD word;
        const char16_t* path;
    };
    const Case cases[] = {
        {"root shorter than its header", 0, 4, u"\\"},
        {"root key is not VS_VERSION_INFO", 6, u'W', u"\\"},
        {"root value type unknown", 4, 2, u"\\"},
        {"fixed info past the root", 2, 300, u"\\"},
        {"child of zero length", 152, 0, u"\\StringFileInfo\\040904B0\\CompanyName"},
        {"child longer than its parent", 152, 80, u"\\StringFileInfo\\040904B0\\CompanyName"},
        {"text value past its node", 154, 20, u"\\StringFileInfo\\040904B0\\CompanyName"},
        {"text value without NUL", 198, u'!', u"\\StringFileInfo\\040904B0\\CompanyName"},
        {"key running into the next node", 126, u'x', u"\\StringFileInfo\\040904B0\\CompanyName"},
        {"key not ended inside its node", 0, 20, u"\\"},
        {"binary value past its node", 234, 40, u"\\VarFileInfo\\Translation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes block = MinimalBlock();
        LPVOID value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), c.path, &value, &length));
        SetWord(block, c.offset, c.word);
        const auto copy = ExactCopy(block);
        EXPECT_FALSE(VerQueryValueW(copy.get(), c.path, &value, &length));
    }
}

// A block cut short, with its root length saying so, yields only the nodes it still holds whole.
TEST(VerQueryValueW, TruncatedBlocksYieldOnlyWholeNodes) {
    const Bytes full = MinimalBlock();
    const std::size_t wholeFrom[] = {92, 200, full.size()};  // one for each of kMinimalPaths
    for (std::size_t size = sizeof(WORD); size < full.size(); ++size) {
        Bytes cut(full.begin(), full.begin() + size);
        SetWord(cut, 0, static_cast<WORD>(size));
        const auto copy = ExactCopy(cut);
        for (std::size_t i = 0; i < std::size(kMinimalPaths); ++i) {
            LPVOID value = nullptr;
            UINT length = 0;
            EXPECT_EQ(VerQueryValueW(copy.get(), kMinimalPaths[i], &value, &length) != FALSE,
                      size >= wholeFrom[i])
                << "size " << size << ", path " << i;
        }
    }
}

// Whatever damage a block has, a value handed out lies inside it and a text ends inside it.
TEST(VerQueryValueW, DamagedBlocksNeverPointOutside) {
    const Bytes original = TwoLanguageBlock();
    const char16_t* paths[] = {u"\\", u"\\StringFileInfo\\040904B0\\CompanyName",
                               u"\\StringFileInfo\\040704B0\\CompanyName",
                               u"\\StringFileInfo\\040904B0\\Comments",
                               u"\\VarFileInfo\\Translation"};
    std::mt19937 random(20260101);
    std::uniform_int_distribution<std::size_t> position(2, original.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        Bytes block = original;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            block[position(random)] = static_cast<std::uint8_t>(byte(random));
        const auto copy = ExactCopy(block);
        const std::uint8_t* begin = copy.get();
        const std::uint8_t* end = begin + block.size();
        for (const char16_t* path : paths) {
            LPVOID value = nullptr;
            UINT length = 0;
            if (!VerQueryValueW(begin, path, &value, &length)) continue;
            const auto* at = static_cast<const std::uint8_t*>(value);
            ASSERT_GE(at, begin);
            ASSERT_LE(at + length, end);
            if (path[1] == u'S') {  // text: the length counts WCHARs up to the NUL
                ASSERT_LE(at + 2 * std::max(length, 1u), end);
                const std::u16string text = Text(value);
                ASSERT_EQ(text.size() + 1, std::max(length, 1u));
            }
        }
    }
}

TEST(VerQueryValueW, RandomBytesFail) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t size = 2; size < 400; ++size) {
        Bytes block(size);
        for (auto& b : block) b = static_cast<std::uint8_t>(byte(random));
        SetWord(block, 0, static_cast<WORD>(size));
        const auto copy = ExactCopy(block);
        LPVOID value = nullptr;
        UINT length = 0;
        EXPECT_FALSE(VerQueryValueW(copy.get(), u"\\", &value, &length)) << size;
        EXPECT_FALSE(VerQueryValueW(copy.get(), u"\\VarFileInfo\\Translation", &value, &length));
    }
}

TEST(VersionBlockWriter, RejectsNodesBeyondWordLength) {
    CVersionBlockWriter writer(kFixed);
    const std::u16string huge(40000, u'x');
    const VersionString strings[] = {{u"Comments", huge}};
    EXPECT_THROW(writer.AddStringTable(u"040904B0", strings), std::length_error);
}

TEST(GetUserDefaultLangID, FromLocaleEnvironment) {
    struct Case {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        LANGID expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, "en_US.UTF-8", 0x0409},
        {nullptr, nullptr, "en_GB.UTF-8", 0x0809},
        {nullptr, nullptr, "de_DE.UTF-8", 0x0407},
        {nullptr, nullptr, "fr_FR", 0x040C},
        {nullptr, nullptr, "es_ES@euro", 0x0C0A},
        {nullptr, nullptr, "it_IT.UTF-8", 0x0410},
        {nullptr, nullptr, "ja_JP.eucJP", 0x0411},
        {nullptr, nullptr, "nl_NL", 0x0413},
        {nullptr, nullptr, "pt_BR.UTF-8", 0x0416},
        {nullptr, nullptr, "ru_RU.KOI8-R", 0x0419},
        {nullptr, nullptr, "zh_CN.GB18030", 0x0804},
        {nullptr, nullptr, "zh_TW.UTF-8", 0x0404},
        {nullptr, nullptr, "de", 0x0407},           // bare language: its primary country
        {nullptr, nullptr, "fr_LU.UTF-8", 0x040C},  // unknown territory: the same
        {nullptr, nullptr, "C", 0x0409},
        {nullptr, nullptr, "C.UTF-8", 0x0409},
        {nullptr, nullptr, "POSIX", 0x0409},
        {nullptr, nullptr, "xx_YY", 0x0409},
        {nullptr, nullptr, "", 0x0409},
        {nullptr, nullptr, nullptr, 0x0409},
        {"ja_JP.UTF-8", "fr_FR", "de_DE", 0x0411},  // LC_ALL first
        {nullptr, "fr_FR", "de_DE", 0x040C},        // then LC_MESSAGES
        {"", "", "it_IT", 0x0410},                  // empty ones do not count
        {"C", nullptr, "de_DE", 0x0409},
    };
    for (const Case& c : cases) {
        const VersionLocaleOverride locale(c.lcAll, c.lcMessages, c.lang);
        EXPECT_EQ(GetUserDefaultLangID(), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}
