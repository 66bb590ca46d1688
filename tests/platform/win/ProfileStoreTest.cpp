// CIniFile and the atomic file helpers, each test in a temporary folder of its own.
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "platform/win/AtomicFile.h"
#include "platform/win/IniFile.h"

namespace {

int LoosenEntry(const char* path, const struct stat* st, int type, FTW*) {
    chmod(path, type == FTW_D || type == FTW_DNR ? 0700 : (st->st_mode & 0777) | 0600);
    return 0;
}

int RemoveEntry(const char* path, const struct stat*, int, FTW*) {
    remove(path);
    return 0;
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/veltrisk-ini-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/settings.ini";
    }
    void TearDown() override {
        nftw(dir_.c_str(), LoosenEntry, 16, FTW_PHYS);
        nftw(dir_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    }

    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good());
    }
    static std::string Get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static bool Exists(const std::string& path) {
        struct stat st;
        return lstat(path.c_str(), &st) == 0;
    }
    static ino_t Inode(const std::string& path) {
        struct stat st {};
        stat(path.c_str(), &st);
        return st.st_ino;
    }
    static mode_t Mode(const std::string& path) {
        struct stat st {};
        stat(path.c_str(), &st);
        return st.st_mode & 07777;
    }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        if (DIR* d = opendir(dir_.c_str())) {
            while (dirent* e = readdir(d)) {
                const std::string name = e->d_name;
                if (name != "." && name != "..") names.insert(name);
            }
            closedir(d);
        }
        return names;
    }

    std::string dir_;
    std::string path_;
};

// Deterministic bytes of every value, with many NULs, CRs, LFs, '[' and '='.
std::string Garbage(std::size_t size, std::uint32_t seed) {
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return out;
}

TEST_F(IniFileTest, RoundTripCreatesTheFile) {
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"Features", u"Home"), std::nullopt);
    ASSERT_TRUE(ini.Write(u"Features", u"Home", u"https://example.org/ä€😀"));
    EXPECT_EQ(ini.Read(u"Features", u"Home"), u"https://example.org/ä€😀");
    EXPECT_EQ(Get(path_),
              "[Features]\nHome=https://example.org/\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\n");
    EXPECT_EQ(Mode(path_), 0600u);
    ASSERT_TRUE(ini.Write(u"Features", u"Empty", u""));
    EXPECT_EQ(ini.Read(u"Features", u"Empty"), u"");
    EXPECT_EQ(ini.Read(u"Features", u"Other"), std::nullopt);
    EXPECT_EQ(ini.Read(u"Other", u"Home"), std::nullopt);
}

TEST_F(IniFileTest, ReadIgnoresCaseAndBlanksAndTrimsTheValue) {
    Put(path_, "[ Features ]\n \tHome Page \t=  \t value with  inner  = blanks \t \nlong=" +
                   std::string(100000, 'x') + "\n");
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"features", u"HOME PAGE"), u"value with  inner  = blanks");
    EXPECT_EQ(ini.Read(u" FEATURES\t", u" home page "), u"value with  inner  = blanks");
    EXPECT_EQ(ini.Read(u"Features", u"long"), std::u16string(100000, u'x'));
    EXPECT_EQ(ini.Read(u"Features", u"Home"), std::nullopt);
    EXPECT_EQ(ini.Read(u"Features", u""), std::nullopt);
}

TEST_F(IniFileTest, ReadDecodesInvalidUtf8AsReplacement) {
    Put(path_,
        "[S]\nk=a\xFF"
        "b\n");
    EXPECT_EQ(CIniFile(path_).Read(u"S", u"k"), u"a\uFFFDb");
}

TEST_F(IniFileTest, ReadsTheFileAgainAtEveryCall) {
    CIniFile ini(path_);
    ASSERT_TRUE(ini.Write(u"S", u"k", u"one"));
    Put(path_, "[S]\nk=two\n");
    EXPECT_EQ(ini.Read(u"S", u"k"), u"two");
    ASSERT_TRUE(ini.Write(u"S", u"j", u"three"));
    EXPECT_EQ(Get(path_), "[S]\nk=two\nj=three\n");
}

TEST_F(IniFileTest, WriteUpdatesTheKeyInPlaceKeepingItsText) {
    Put(path_, "[Features]\n  HomePage \t= old value \nNext=1\n");
    CIniFile ini(path_);
    ASSERT_TRUE(ini.Write(u"features", u"homepage", u"new"));
    EXPECT_EQ(Get(path_), "[Features]\n  HomePage=new\nNext=1\n");
    EXPECT_EQ(ini.Read(u"Features", u"HomePage"), u"new");
}

TEST_F(IniFileTest, WriteKeepsEveryOtherLineByteForByte) {
    const std::string before =
        "loose=line before any section\n"
        "; a comment = with equals\n"
        "\n"
        "[Other]\n"
        "Home=not this one\n"
        "garbage \xFF\xFE\x80 bytes\n"
        "  spaced  =  kept  \n"
        "[Features]\r\n"
        "no equals sign here\n"
        "Home=old\n"
        "home=second of the same name\n"
        "Tail=\xC3\x28\n"
        "\n"
        "[Features]\n"
        "Home=duplicate section\n";
    Put(path_, before);
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"Features", u"Home"), u"old");
    EXPECT_EQ(ini.Read(u"Other", u"spaced"), u"kept");
    EXPECT_EQ(ini.Read(u"Features", u"loose"), std::nullopt);
    ASSERT_TRUE(ini.Write(u"Features", u"Home", u"new"));
    std::string expected = before;
    expected.replace(expected.find("Home=old"), 8, "Home=new");
    EXPECT_EQ(Get(path_), expected);

    // A new key goes after the section's last line, before its trailing blank line.
    ASSERT_TRUE(ini.Write(u"Features", u"Added", u"v"));
    expected.insert(expected.find("\n\n[Features]") + 1, "Added=v\n");
    EXPECT_EQ(Get(path_), expected);
    EXPECT_EQ(ini.Read(u"Features", u"Added"), u"v");
    EXPECT_EQ(ini.Read(u"Other", u"Home"), u"not this one");
}

TEST_F(IniFileTest, NewSectionIsAppended) {
    Put(path_, "[A]\nx=1");  // no line ending at the end
    CIniFile ini(path_);
    ASSERT_TRUE(ini.Write(u"B", u"y", u"2"));
    EXPECT_EQ(Get(path_), "[A]\nx=1\n[B]\ny=2\n");
    ASSERT_TRUE(ini.Write(u"A", u"z", u"3"));
    EXPECT_EQ(Get(path_), "[A]\nx=1\nz=3\n[B]\ny=2\n");
    ASSERT_TRUE(ini.Write(u"B", u"y", u"4"));
    EXPECT_EQ(Get(path_), "[A]\nx=1\nz=3\n[B]\ny=4\n");
}

TEST_F(IniFileTest, KeyAppendedToALastLineWithoutLineEnding) {
    Put(path_, "[A]\r\nx=1");
    CIniFile ini(path_);
    ASSERT_TRUE(ini.Write(u"A", u"y", u"2"));
    EXPECT_EQ(Get(path_), "[A]\r\nx=1\r\ny=2\r\n");
    ASSERT_TRUE(ini.Write(u"A", u"x", u"3"));
    EXPECT_EQ(Get(path_), "[A]\r\nx=3\r\ny=2\r\n");
}

TEST_F(IniFileTest, RefusesLineBreaksAndBadNamesLeavingTheFileUntouched) {
    const std::string before = "[Features]\nHome=old\n";
    Put(path_, before);
    const ino_t inode = Inode(path_);
    CIniFile ini(path_);
    EXPECT_FALSE(ini.Write(u"Features", u"Home", u"a\nb"));
    EXPECT_FALSE(ini.Write(u"Features", u"Home", u"a\rb"));
    EXPECT_FALSE(ini.Write(u"Features", u"Home", u"trailing\n"));
    EXPECT_FALSE(ini.Write(u"Features", std::u16string_view(u"Ho\0me", 5), u"x"));
    EXPECT_FALSE(ini.Write(u"Features", u"Ho=me", u"x"));
    EXPECT_FALSE(ini.Write(u"Features", u"Ho\nme", u"x"));
    EXPECT_FALSE(ini.Write(u"Features", u"Ho\rme", u"x"));
    EXPECT_FALSE(ini.Write(u"Features", u"", u"x"));
    EXPECT_FALSE(ini.Write(u"Features", u" \t ", u"x"));
    EXPECT_FALSE(ini.Write(u"Features", u"[key", u"x"));
    EXPECT_FALSE(ini.Write(u"Features", u";key", u"x"));
    EXPECT_FALSE(ini.Write(u"Feat]ures", u"Home", u"x"));
    EXPECT_FALSE(ini.Write(u"Feat\nures", u"Home", u"x"));
    EXPECT_FALSE(ini.Write(u"Feat\rures", u"Home", u"x"));
    EXPECT_FALSE(ini.Write(u"", u"Home", u"x"));
    EXPECT_FALSE(ini.Write(u"  ", u"Home", u"x"));
    EXPECT_EQ(Get(path_), before);
    EXPECT_EQ(Inode(path_), inode);
    EXPECT_EQ(Entries(), std::set<std::string>{"settings.ini"});

    CIniFile missing(dir_ + "/new.ini");
    EXPECT_FALSE(missing.Write(u"S", u"k", u"a\nb"));
    EXPECT_FALSE(Exists(dir_ + "/new.ini"));
}

TEST_F(IniFileTest, CrlfFile) {
    Put(path_, "[Features]\r\nHome = value \r\nOther=1\r\n");
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"Features", u"Home"), u"value");
    EXPECT_EQ(ini.Read(u"Features", u"Other"), u"1");
    ASSERT_TRUE(ini.Write(u"Features", u"Home", u"new"));
    ASSERT_TRUE(ini.Write(u"Features", u"Added", u"2"));
    ASSERT_TRUE(ini.Write(u"More", u"k", u"3"));
    EXPECT_EQ(Get(path_), "[Features]\r\nHome=new\r\nOther=1\r\nAdded=2\r\n[More]\r\nk=3\r\n");
}

TEST_F(IniFileTest, ByteOrderMarkIsIgnoredAndKept) {
    Put(path_, "\xEF\xBB\xBF[Features]\nHome=v\n");
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"Features", u"Home"), u"v");
    ASSERT_TRUE(ini.Write(u"Features", u"Home", u"w"));
    EXPECT_EQ(Get(path_), "\xEF\xBB\xBF[Features]\nHome=w\n");
}

TEST_F(IniFileTest, EmptyFile) {
    Put(path_, "");
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"S", u"k"), std::nullopt);
    ASSERT_TRUE(ini.Write(u"S", u"k", u"v"));
    EXPECT_EQ(Get(path_), "[S]\nk=v\n");
}

TEST_F(IniFileTest, FileWithoutSections) {
    const std::string before = "k=v\njust text\n=\n[\n]\n[]\n;\n";
    Put(path_, before);
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"S", u"k"), std::nullopt);
    ASSERT_TRUE(ini.Write(u"S", u"k", u"w"));
    EXPECT_EQ(Get(path_), before + "[S]\nk=w\n");
    EXPECT_EQ(ini.Read(u"S", u"k"), u"w");
}

TEST_F(IniFileTest, BinaryGarbageNeverCrashesAndIsKept) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const std::string garbage = Garbage(4096 * seed, seed);
        Put(path_, garbage);
        CIniFile ini(path_);
        ini.Read(u"Features", u"Home");
        ini.Read(u"", u"");
        ASSERT_TRUE(ini.Write(u"VeltriskTestSection", u"Home", u"value"));
        const std::string after = Get(path_);
        ASSERT_EQ(after.substr(0, garbage.size()), garbage);
        EXPECT_EQ(ini.Read(u"VeltriskTestSection", u"Home"), u"value");
    }
}

TEST_F(IniFileTest, VeryLargeFiles) {
    // 5 MB of keys, then the section to change.
    std::string big = "[Big]\n";
    for (int i = 0; big.size() < 5'000'000; ++i) big += "key" + std::to_string(i) + "=value\n";
    const std::string tail = "[Features]\nHome=old\n";
    Put(path_, big + tail);
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"Big", u"key12345"), u"value");
    ASSERT_TRUE(ini.Write(u"Features", u"Home", u"new"));
    EXPECT_EQ(Get(path_), big + "[Features]\nHome=new\n");
    ASSERT_TRUE(ini.Write(u"Big", u"key0", u"changed"));
    EXPECT_EQ(ini.Read(u"Big", u"key0"), u"changed");
    EXPECT_EQ(ini.Read(u"Big", u"key1"), u"value");

    // One 5 MB line without a line ending.
    const std::string line(5'000'000, 'z');
    Put(path_, line);
    EXPECT_EQ(ini.Read(u"Features", u"Home"), std::nullopt);
    ASSERT_TRUE(ini.Write(u"Features", u"Home", u"v"));
    EXPECT_EQ(Get(path_), line + "\n[Features]\nHome=v\n");
}

TEST_F(IniFileTest, WriteReplacesTheFileAtomically) {
    Put(path_, "[S]\nk=old\n");
    ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
    const ino_t inode = Inode(path_);
    CIniFile ini(path_);
    ASSERT_TRUE(ini.Write(u"S", u"k", u"new"));
    EXPECT_NE(Inode(path_), inode);  // a new file was renamed over the old one
    EXPECT_EQ(Mode(path_), 0640u);   // with its permissions
    EXPECT_EQ(Get(path_), "[S]\nk=new\n");
    EXPECT_EQ(Entries(), std::set<std::string>{"settings.ini"});  // no temporary file left

    // Writing the value it already has changes nothing.
    const ino_t current = Inode(path_);
    ASSERT_TRUE(ini.Write(u"S", u"k", u"new"));
    EXPECT_EQ(Inode(path_), current);
}

TEST_F(IniFileTest, MissingFolderFails) {
    CIniFile ini(dir_ + "/no/such/folder/settings.ini");
    EXPECT_FALSE(ini.Write(u"S", u"k", u"v"));
    EXPECT_EQ(ini.Read(u"S", u"k"), std::nullopt);
    EXPECT_FALSE(Exists(dir_ + "/no"));
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileIsNeverReplaced) {
    ASSERT_EQ(mkdir(path_.c_str(), 0700), 0);
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"S", u"k"), std::nullopt);
    EXPECT_FALSE(ini.Write(u"S", u"k", u"v"));
    struct stat st;
    ASSERT_EQ(stat(path_.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(Entries(), std::set<std::string>{"settings.ini"});
}

TEST_F(IniFileTest, ReadOnlyFolderMakesWriteFailWithTheOldFileIntact) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    Put(path_, "[S]\nk=old\n");
    ASSERT_EQ(chmod(dir_.c_str(), 0500), 0);
    CIniFile ini(path_);
    EXPECT_FALSE(ini.Write(u"S", u"k", u"new"));
    EXPECT_EQ(ini.Read(u"S", u"k"), u"old");
    ASSERT_EQ(chmod(dir_.c_str(), 0700), 0);
    EXPECT_EQ(Get(path_), "[S]\nk=old\n");
    EXPECT_EQ(Entries(), std::set<std::string>{"settings.ini"});
}

TEST_F(IniFileTest, UnreadableFileIsNeverOverwritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores file permissions";
    Put(path_, "[S]\nk=old\nother=keep me\n");
    ASSERT_EQ(chmod(path_.c_str(), 0200), 0);
    CIniFile ini(path_);
    EXPECT_EQ(ini.Read(u"S", u"k"), std::nullopt);
    EXPECT_FALSE(ini.Write(u"S", u"k", u"new"));
    ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
    EXPECT_EQ(Get(path_), "[S]\nk=old\nother=keep me\n");
}

TEST_F(IniFileTest, ReadOnlyFileIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
    Put(path_, "[S]\nk=old\n");
    ASSERT_EQ(chmod(path_.c_str(), 0400), 0);
    CIniFile ini(path_);
    EXPECT_FALSE(ini.Write(u"S", u"k", u"new"));
    EXPECT_EQ(Get(path_), "[S]\nk=old\n");
    EXPECT_EQ(Entries(), std::set<std::string>{"settings.ini"});
}

TEST_F(IniFileTest, SymbolicLinkIsFollowed) {
    const std::string real = dir_ + "/real.ini";
    Put(real, "[S]\nk=old\n");
    ASSERT_EQ(symlink("real.ini", path_.c_str()), 0);
    CIniFile ini(path_);
    ASSERT_TRUE(ini.Write(u"S", u"k", u"new"));
    struct stat st;
    ASSERT_EQ(lstat(path_.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Get(real), "[S]\nk=new\n");
    EXPECT_EQ(Entries(), (std::set<std::string>{"real.ini", "settings.ini"}));
}

TEST_F(IniFileTest, ReadWholeFileTellsMissingFromUnreadable) {
    std::string bytes = "stale";
    bool missing = false;
    EXPECT_FALSE(ReadWholeFile(dir_ + "/none", bytes, missing));
    EXPECT_TRUE(missing);
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReadWholeFile(dir_, bytes, missing));  // a folder
    EXPECT_FALSE(missing);
    EXPECT_FALSE(ReadWholeFile("", bytes, missing));
    EXPECT_FALSE(missing);
    ASSERT_EQ(mkfifo((dir_ + "/pipe").c_str(), 0600), 0);
    EXPECT_FALSE(ReadWholeFile(dir_ + "/pipe", bytes, missing));  // does not block
    EXPECT_FALSE(missing);

    const std::string garbage = Garbage(300000, 7);
    ASSERT_TRUE(WriteFileAtomically(path_, garbage));
    EXPECT_TRUE(ReadWholeFile(path_, bytes, missing));
    EXPECT_EQ(bytes, garbage);
    EXPECT_FALSE(WriteFileAtomically("", "x"));
    EXPECT_FALSE(WriteFileAtomically(dir_ + "/", "x"));
    EXPECT_FALSE(WriteFileAtomically(dir_ + "/pipe", "x"));
}

}  // namespace
