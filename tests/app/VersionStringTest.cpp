#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/VersionString.h"
#include "platform/win/Module.h"
#include "platform/win/VersionBlockWriter.h"
#include "platform/win/VersionInfo.h"
#include "res/ProgramResources.h"
#include "tests/platform/win/VersionLocaleOverride.h"

namespace {

constexpr VersionFixedInfo kFixed{{1, 0, 0, 0},     {1, 0, 0, 0}, VS_FFI_FILEFLAGSMASK, 0,
                                  VOS_NT_WINDOWS32, VFT_APP};

struct Translation {
    LANGID language;
    WORD codePage;
};

struct Table {
    std::u16string_view block;
    std::vector<VersionString> strings;
};

// A module whose only resource is a version block made of the given tables and translations.
class VersionModule {
public:
    VersionModule(const std::vector<Table>& tables, const std::vector<Translation>& translations) {
        CVersionBlockWriter writer(kFixed);
        for (const Table& table : tables) writer.AddStringTable(table.block, table.strings);
        for (const Translation& t : translations) writer.AddTranslation(t.language, t.codePage);
        m_block = writer.Build();
        m_entry = {RT_VERSION, 1, m_block.data(), static_cast<DWORD>(m_block.size())};
        m_module.resources = &m_table;
    }
    VersionModule(const VersionModule&) = delete;
    VersionModule& operator=(const VersionModule&) = delete;

    HMODULE Handle() { return &m_module; }

private:
    std::vector<std::uint8_t> m_block;
    ResourceEntry m_entry{};
    ResourceTable m_table{&m_entry, 1};
    Module m_module;
};

std::u16string Get(HMODULE module, std::u16string_view key) {
    const std::u16string terminated(key);
    return GetVersionString(module, terminated.c_str()).Str();
}

}  // namespace

class ProgramVersion : public testing::Test {
protected:
    void SetUp() override {
        m_previous = GetProgramModule()->resources;
        SetProgramResources(ProgramResources());
    }
    void TearDown() override { SetProgramResources(m_previous); }

private:
    const ResourceTable* m_previous = nullptr;
};

TEST_F(ProgramVersion, ReadsTheProgramsStrings) {
    const VersionLocaleOverride locale("de_DE.UTF-8");  // the one translation wins over it
    EXPECT_EQ(GetVersionString(u"InternalName").Str(), u"Veltrisk.exe");
    EXPECT_EQ(GetVersionString(u"CompanyName").Str(), u"Corvane");
    EXPECT_EQ(GetVersionString(u"productversion").Str(), u"1.1.2");
    EXPECT_EQ(GetVersionString(u"Comments").Str(), u"");
}

TEST_F(ProgramVersion, FixedInfoIsVersion1120) {
    const HRSRC resource =
        FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(RT_VERSION));
    ASSERT_NE(resource, nullptr);
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(LockResource(LoadResource(nullptr, resource)), u"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, value, sizeof info);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(info.dwFileVersionLS, 0x00020000u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(info.dwProductVersionLS, 0x00020000u);
    EXPECT_EQ(info.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(info.dwFileFlags, 0u);
    EXPECT_EQ(info.dwFileOS, 0x40004u);
    EXPECT_EQ(info.dwFileType, 1u);
}

// Several translations name no single table: the user's language with 04B0 is read, and only it.
TEST(GetVersionString, SeveralTranslationsUseTheUsersLanguage) {
    VersionModule module({{u"040904B0", {{u"ProductName", u"Veltrisk"}}},
                          {u"040704B0", {{u"CompanyName", u"Corvane GmbH"}}}},
                         {{0x0409, 0x04B0}, {0x0407, 0x04B0}});
    {
        const VersionLocaleOverride locale("de_DE.UTF-8");
        EXPECT_EQ(Get(module.Handle(), u"CompanyName"), u"Corvane GmbH");
        EXPECT_EQ(Get(module.Handle(), u"ProductName"), u"");
    }
    {
        const VersionLocaleOverride locale("fr_FR.UTF-8");
        EXPECT_EQ(Get(module.Handle(), u"CompanyName"), u"");
        EXPECT_EQ(Get(module.Handle(), u"ProductName"), u"");
    }
}

TEST(GetVersionString, NoTranslationTableUsesTheUsersLanguage) {
    VersionModule module({{u"040904B0", {{u"CompanyName", u"Corvane"}}}}, {});
    for (const char* lang : {"en_US.UTF-8", "C", ""}) {
        const VersionLocaleOverride locale(lang);
        EXPECT_EQ(Get(module.Handle(), u"CompanyName"), u"Corvane") << lang;
    }
    const VersionLocaleOverride locale("de_DE.UTF-8");
    EXPECT_EQ(Get(module.Handle(), u"CompanyName"), u"");
}

TEST(GetVersionString, OneTranslationNamesTheTableInUpperCaseHex) {
    VersionModule module({{u"0C0A04E4", {{u"CompanyName", u"Corvane S.A."}}},
                          {u"040904B0", {{u"CompanyName", u"Corvane"}}}},
                         {{0x0C0A, 0x04E4}});
    const VersionLocaleOverride locale("en_US.UTF-8");
    EXPECT_EQ(Get(module.Handle(), u"CompanyName"), u"Corvane S.A.");
}

// "\StringFileInfo\040904B0\" is 25 units; with the NUL, 230 more fill the 256-unit path.
TEST(GetVersionString, KeysTooLongForThePathGiveNothing) {
    const std::u16string fits(230, u'k');
    const std::u16string tooLong(231, u'k');
    VersionModule module({{u"040904B0", {{fits, u"fits"}, {tooLong, u"too long"}}}},
                         {{0x0409, 0x04B0}});
    EXPECT_EQ(Get(module.Handle(), fits), u"fits");
    EXPECT_EQ(Get(module.Handle(), tooLong), u"");
}

TEST(GetVersionString, MissingOrBrokenResourcesGiveNothing) {
    Module noResources;
    EXPECT_EQ(GetVersionString(&noResources, u"CompanyName").Str(), u"");

    const std::uint8_t garbage[] = {10, 0, 0, 0, 0, 0, 'x', 0, 'y', 0};  // key without NUL
    const ResourceEntry entry{RT_VERSION, 1, garbage, sizeof garbage};
    const ResourceTable table{&entry, 1};
    Module broken;
    broken.resources = &table;
    EXPECT_EQ(GetVersionString(&broken, u"CompanyName").Str(), u"");

    VersionModule module({{u"040904B0", {{u"CompanyName", u"Corvane"}}}}, {{0x0409, 0x04B0}});
    EXPECT_EQ(GetVersionString(module.Handle(), nullptr).Str(), u"");
}
