// CRegistryHive (the hive file standing in for the registry) and CMemoryProfile.
#include <dirent.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win/MemoryProfile.h"
#include "platform/win/RegistryHive.h"

namespace {

constexpr std::u16string_view kPrefix =
    u"software\\Local AppWizard-Generated Applications\\Veltrisk";

int RemoveEntry(const char* path, const struct stat*, int, FTW*) {
    remove(path);
    return 0;
}

class RegistryHiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/veltrisk-hive-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/.veltrisk-registry";
    }
    void TearDown() override { nftw(dir_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

    std::string Get() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string dir_;
    std::string path_;
};

// Values the hive must give back exactly.
const std::vector<std::u16string>& OddValues() {
    static const std::vector<std::u16string> values = {
        u"",
        u" ",
        u"  leading",
        u"trailing  ",
        u" \t both \t ",
        u"line\nbreaks\r\nand\rreturns\n",
        u"\n",
        u"100% = [brackets]; semicolon \\ backslash %41 %u0041",
        u"quotes \"inside\" and 'out'",
        std::u16string(u"nul\0inside", 10),
        u"ä€😀 unicode",
        u"lone \xD800 high and \xDC00 low",
        u"\xDBFF",
        std::u16string(70000, u'x'),
    };
    return values;
}

TEST_F(RegistryHiveTest, ValuesRoundTripExactly) {
    CRegistryHive hive(path_, std::u16string(kPrefix));
    EXPECT_EQ(hive.Read(u"Features", u"v0"), std::nullopt);
    const auto& values = OddValues();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::u16string name = u"v" + std::u16string(1, u'a' + static_cast<char16_t>(i));
        ASSERT_TRUE(hive.Write(u"Features", name, values[i])) << i;
    }
    // Also through a second store on the same file, and after every value was written.
    CRegistryHive again(path_, std::u16string(kPrefix));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::u16string name = u"v" + std::u16string(1, u'a' + static_cast<char16_t>(i));
        EXPECT_EQ(hive.Read(u"Features", name), values[i]) << i;
        EXPECT_EQ(again.Read(u"Features", name), values[i]) << i;
    }
    struct stat st;
    ASSERT_EQ(stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(RegistryHiveTest, OddNamesRoundTrip) {
    CRegistryHive hive(path_, std::u16string(kPrefix));
    const std::vector<std::u16string> names = {u"a=b", u" spaced ",  u"[x]", u";c",
                                               u"",    u"new\nline", u"%20"};
    for (const auto& name : names) ASSERT_TRUE(hive.Write(u"S]ec=tion\n", name, name + u"!"));
    for (const auto& name : names) EXPECT_EQ(hive.Read(u"S]ec=tion\n", name), name + u"!");
    EXPECT_EQ(hive.Read(u"S]ec=tion\n", u"a"), std::nullopt);
}

TEST_F(RegistryHiveTest, KeyPathsAndNamesIgnoreAsciiCase) {
    CRegistryHive hive(path_, std::u16string(kPrefix));
    ASSERT_TRUE(hive.Write(u"Features", u"HomePage", u"Value"));
    CRegistryHive upper(path_, u"SOFTWARE\\LOCAL APPWIZARD-GENERATED APPLICATIONS\\VELTRISK");
    EXPECT_EQ(upper.Read(u"FEATURES", u"homepage"), u"Value");
    ASSERT_TRUE(upper.Write(u"features", u"HOMEPAGE", u"Other"));
    EXPECT_EQ(hive.Read(u"Features", u"HomePage"), u"Other");
    // Case folding is ASCII only.
    ASSERT_TRUE(hive.Write(u"Features", u"Ä", u"1"));
    EXPECT_EQ(hive.Read(u"Features", u"ä"), std::nullopt);
    // Other sections and other applications are apart.
    EXPECT_EQ(hive.Read(u"Settings", u"HomePage"), std::nullopt);
    CRegistryHive other(path_, u"software\\Other");
    EXPECT_EQ(other.Read(u"Features", u"HomePage"), std::nullopt);
    ASSERT_TRUE(other.Write(u"Features", u"HomePage", u"theirs"));
    EXPECT_EQ(hive.Read(u"Features", u"HomePage"), u"Other");
    EXPECT_EQ(other.Read(u"Features", u"HomePage"), u"theirs");
}

TEST_F(RegistryHiveTest, FileIsReadableAndUpdatedInPlace) {
    CRegistryHive hive(path_, std::u16string(kPrefix));
    ASSERT_TRUE(hive.Write(u"Features", u"Home", u" a\nb "));
    ASSERT_TRUE(hive.Write(u"Features", u"Home", u"plain"));
    ASSERT_TRUE(hive.Write(u"Features", u"Zoom", u"100"));
    ASSERT_TRUE(hive.Write(u"Window", u"Left", u"10"));
    ASSERT_TRUE(hive.Write(u"Features", u"Added", u"later"));
    const std::string text = Get();
    const std::string body =
        "[software\\Local AppWizard-Generated Applications\\Veltrisk\\Features]\n"
        "Home=plain\n"
        "Zoom=100\n"
        "Added=later\n"
        "[software\\Local AppWizard-Generated Applications\\Veltrisk\\Window]\n"
        "Left=10\n";
    ASSERT_GE(text.size(), body.size());
    EXPECT_EQ(text.substr(text.size() - body.size()), body);
    EXPECT_EQ(text.find("%0A"), std::string::npos);

    ASSERT_TRUE(hive.Write(u"Features", u"Home", u" a\nb "));
    EXPECT_NE(Get().find("Home=%20a%0Ab%20\n"), std::string::npos);
}

TEST_F(RegistryHiveTest, NoTemporaryFileLeftBehind) {
    CRegistryHive hive(path_, std::u16string(kPrefix));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(hive.Write(u"S", u"k", std::u16string(i, u'x')));
    std::vector<std::string> names;
    if (DIR* d = opendir(dir_.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(d);
    }
    EXPECT_EQ(names, std::vector<std::string>{".veltrisk-registry"});
}

TEST_F(RegistryHiveTest, UnknownLinesInTheFileAreKept) {
    {
        std::ofstream out(path_, std::ios::binary);
        out << "junk without equals\n; comment\n[software\\Other]\nk=1\n";
    }
    CRegistryHive hive(path_, u"software");
    EXPECT_EQ(hive.Read(u"Other", u"k"), u"1");
    ASSERT_TRUE(hive.Write(u"Other", u"k", u"2"));
    EXPECT_EQ(Get(), "junk without equals\n; comment\n[software\\Other]\nk=2\n");
}

TEST_F(RegistryHiveTest, EmptyPathStoresNothing) {
    CRegistryHive hive("", std::u16string(kPrefix));
    EXPECT_FALSE(hive.Write(u"S", u"k", u"v"));
    EXPECT_EQ(hive.Read(u"S", u"k"), std::nullopt);
}

TEST_F(RegistryHiveTest, MissingFolderFails) {
    CRegistryHive hive(dir_ + "/missing/.veltrisk-registry", std::u16string(kPrefix));
    EXPECT_FALSE(hive.Write(u"S", u"k", u"v"));
    EXPECT_EQ(hive.Read(u"S", u"k"), std::nullopt);
}

TEST(RegistryHiveDefaultPath, IsInThePasswdHome) {
    const passwd* entry = getpwuid(getuid());
    const std::string path = CRegistryHive::DefaultHivePath();
    if (!entry || !entry->pw_dir || entry->pw_dir[0] != '/') {
        EXPECT_EQ(path, "");
        return;
    }
    std::string home = entry->pw_dir;
    while (!home.empty() && home.back() == '/') home.pop_back();
    EXPECT_EQ(path, home + "/.veltrisk-registry");
}

TEST(MemoryProfile, ValuesRoundTripExactlyAndNamesIgnoreAsciiCase) {
    CMemoryProfile memory;
    EXPECT_EQ(memory.Read(u"S", u"k"), std::nullopt);
    const auto& values = OddValues();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::u16string name = u"Key" + std::u16string(1, u'A' + static_cast<char16_t>(i));
        ASSERT_TRUE(memory.Write(u"Features", name, values[i]));
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::u16string name = u"key" + std::u16string(1, u'a' + static_cast<char16_t>(i));
        EXPECT_EQ(memory.Read(u"FEATURES", name), values[i]) << i;
    }
    ASSERT_TRUE(memory.Write(u"features", u"KEYA", u"changed"));
    EXPECT_EQ(memory.Read(u"Features", u"KeyA"), u"changed");
    EXPECT_EQ(memory.Read(u"Other", u"KeyA"), std::nullopt);
    EXPECT_EQ(memory.Read(u"Features", u"Ä"), std::nullopt);
}

}  // namespace
