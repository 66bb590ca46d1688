#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CorvaneApp.h"
#include "platform/com/TextConv.h"
#include "platform/win/VersionBlockWriter.h"
#include "platform/win/VersionInfo.h"
#include "res/ProgramResources.h"
#include "tests/app/EnvironmentOverride.h"
#include "tests/app/TempFolder.h"

namespace {

constexpr char16_t kRegistryKey[] = u"Local AppWizard-Generated Applications";

// A version resource with one string table in US English, the one translation it names.
class TestVersionResource {
public:
    TestVersionResource(std::u16string_view company, std::u16string_view internalName) {
        const VersionFixedInfo fixed{{1, 0, 0, 0},     {1, 0, 0, 0}, VS_FFI_FILEFLAGSMASK, 0,
                                     VOS_NT_WINDOWS32, VFT_APP};
        CVersionBlockWriter writer(fixed);
        const VersionString strings[] = {{u"CompanyName", company},
                                         {u"InternalName", internalName}};
        writer.AddStringTable(u"040904B0", strings);
        writer.AddTranslation(0x0409, 0x04B0);
        m_block = writer.Build();
        m_entry = {RT_VERSION, 1, m_block.data(), static_cast<DWORD>(m_block.size())};
    }
    TestVersionResource(const TestVersionResource&) = delete;
    TestVersionResource& operator=(const TestVersionResource&) = delete;

    const ResourceTable* Table() const { return &m_table; }

private:
    std::vector<std::uint8_t> m_block;
    ResourceEntry m_entry{};
    ResourceTable m_table{&m_entry, 1};
};

std::optional<std::string> ProfileName(const CWinApp& app) {
    if (!app.m_pszProfileName) return std::nullopt;
    return WideToUtf8(app.m_pszProfileName);
}

bool IsPrivateFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700;
}

std::set<std::string> EntriesUnder(const std::string& folder) {
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        entries.insert(entry.path().string());
    return entries;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string ReadFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

}  // namespace

// Each test gets a config folder of its own under /tmp (HOME too, so the real home is never
// touched) and the program's real resources.
class SettingsLocation : public testing::Test {
protected:
    void SetUp() override {
        m_previousResources = GetProgramModule()->resources;
        SetProgramResources(ProgramResources());
    }
    void TearDown() override { SetProgramResources(m_previousResources); }

    // A new application object as AfxWinMain leaves it: with the framework's default profile.
    static void GiveDefaultProfile(CWinApp& app) {
        app.m_pszProfileName = _wcsdup(u"Veltrisk.INI");
    }

    TempFolder m_folder;
    const std::string m_base = m_folder.Path() + "/config";
    EnvironmentOverride m_xdg{"XDG_CONFIG_HOME", m_base.c_str()};
    EnvironmentOverride m_home{"HOME", (m_folder.Path() + "/home").c_str()};
    CCorvaneApp m_app;

private:
    const ResourceTable* m_previousResources = nullptr;
};

TEST_F(SettingsLocation, CompanyAndProgramFoldersHoldTheFile) {
    GiveDefaultProfile(m_app);
    m_app.SettleSettingsLocation();
    const std::string expected = m_base + "/Corvane/Veltrisk/AppSettings.ini";
    EXPECT_EQ(ProfileName(m_app), expected);
    EXPECT_EQ(m_app.m_pszRegistryKey, nullptr);
    EXPECT_TRUE(IsPrivateFolder(m_base + "/Corvane"));
    EXPECT_TRUE(IsPrivateFolder(m_base + "/Corvane/Veltrisk"));

    // The next run finds the folders made and settles on the same file.
    CCorvaneApp next;
    GiveDefaultProfile(next);
    next.SettleSettingsLocation();
    EXPECT_EQ(ProfileName(next), expected);
    EXPECT_EQ(next.m_pszRegistryKey, nullptr);
}

TEST_F(SettingsLocation, WithoutXdgConfigHomeTheHomeConfigFolderServes) {
    const EnvironmentOverride xdg("XDG_CONFIG_HOME", nullptr);
    m_app.SettleSettingsLocation();
    EXPECT_EQ(ProfileName(m_app),
              m_folder.Path() + "/home/.config/Corvane/Veltrisk/AppSettings.ini");
    EXPECT_TRUE(IsPrivateFolder(m_folder.Path() + "/home/.config/Corvane/Veltrisk"));
}

// The program folder is the internal name less its last four characters, whatever they are.
TEST_F(SettingsLocation, FolderNamesComeFromTheVersionResource) {
    struct Case {
        std::u16string_view company;
        std::u16string_view internalName;
        std::string file;  // below the config folder
    };
    const Case cases[] = {
        {u"", u"Veltrisk.exe", "//Veltrisk/AppSettings.ini"},
        {u"Corvane", u"Tool.bin", "/Corvane/Tool/AppSettings.ini"},
        {u"Corvane", u"Veltrisk", "/Corvane/Velt/AppSettings.ini"},
        {u"Corvane", u"V.exe", "/Corvane/V/AppSettings.ini"},
        {u"Corvane", u".exe", "/Corvane//AppSettings.ini"},
        {u"Corvane", u"abc", "/Corvane//AppSettings.ini"},
        {u"Corvane", u"", "/Corvane//AppSettings.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.company) + " / " + WideToUtf8(c.internalName));
        const TestVersionResource version(c.company, c.internalName);
        SetProgramResources(version.Table());
        CCorvaneApp app;
        app.SettleSettingsLocation();
        EXPECT_EQ(ProfileName(app), m_base + c.file);
        EXPECT_TRUE(IsPrivateFolder(std::filesystem::path(m_base + c.file).parent_path()));
    }
}

TEST_F(SettingsLocation, NoConfigFolderMeansTheRegistry) {
    struct Case {
        const char* xdg;
        const char* home;
    };
    const Case cases[] = {{nullptr, nullptr}, {"config", nullptr}, {nullptr, "home"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + ", " + (c.home ? c.home : "(unset)"));
        const EnvironmentOverride xdg("XDG_CONFIG_HOME", c.xdg);
        const EnvironmentOverride home("HOME", c.home);
        CCorvaneApp app;
        GiveDefaultProfile(app);
        app.SettleSettingsLocation();
        EXPECT_EQ(app.m_pszProfileName, nullptr);
        ASSERT_NE(app.m_pszRegistryKey, nullptr);
        EXPECT_EQ(std::u16string(app.m_pszRegistryKey), kRegistryKey);
    }
    EXPECT_TRUE(EntriesUnder(m_folder.Path()).empty());
}

// A folder that cannot be made leaves no file and no registry: the settings live in memory.
TEST_F(SettingsLocation, FolderThatCannotBeMadeKeepsSettingsInMemory) {
    struct Case {
        const char* name;
        std::string blocker;  // a regular file standing where a folder is needed
        std::string base;
    };
    const std::string& root = m_folder.Path();
    const Case cases[] = {
        {"config folder under a file", root + "/a", root + "/a/config"},
        {"company name taken by a file", root + "/b/Corvane", root + "/b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::create_directories(std::filesystem::path(c.blocker).parent_path());
        WriteFile(c.blocker, "");
        const EnvironmentOverride xdg("XDG_CONFIG_HOME", c.base.c_str());
        const std::set<std::string> before = EntriesUnder(root);

        CCorvaneApp app;
        GiveDefaultProfile(app);
        app.SettleSettingsLocation();
        EXPECT_EQ(app.m_pszProfileName, nullptr);
        // A registry key would send the write below to the hive in the real home.
        ASSERT_EQ(app.m_pszRegistryKey, nullptr);

        EXPECT_TRUE(app.WriteProfileString(u"Bookmarks", u"1", u"http://example.org/"));
        EXPECT_EQ(app.GetProfileString(u"Bookmarks", u"1").Str(), u"http://example.org/");
        EXPECT_EQ(EntriesUnder(root), before);
    }
}

TEST_F(SettingsLocation, ProfileStringsLiveInTheSettingsFile) {
    m_app.SettleSettingsLocation();
    ASSERT_TRUE(ProfileName(m_app));
    const std::string file = *ProfileName(m_app);
    WriteFile(file, "[Other]\nkeep=1\n[Bookmarks]\nold=2\n");

    EXPECT_TRUE(m_app.WriteProfileString(u"Bookmarks", u"url", u"  http://example.org/  "));
    EXPECT_EQ(m_app.GetProfileString(u"Bookmarks", u"url").Str(), u"http://example.org/");
    EXPECT_EQ(m_app.GetProfileString(u"Bookmarks", u"old").Str(), u"2");
    EXPECT_EQ(m_app.GetProfileString(u"Other", u"keep").Str(), u"1");
    EXPECT_EQ(m_app.GetProfileString(u"Bookmarks", u"none", u"default").Str(), u"default");
    EXPECT_NE(ReadFile(file).find("http://example.org/"), std::string::npos);

    CCorvaneApp next;
    next.SettleSettingsLocation();
    EXPECT_EQ(next.GetProfileString(u"Bookmarks", u"url").Str(), u"http://example.org/");
}
