// SHGetFolderPathW's application-data folder, CreateDirectoryW and the last error.
#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "platform/com/TextConv.h"
#include "platform/win/LastError.h"
#include "platform/win/ShellFolder.h"

namespace {

int RemoveEntry(const char* path, const struct stat*, int, FTW*) {
    remove(path);
    return 0;
}

// Saves an environment variable and puts it back.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) value_ = value;
    }
    ~SavedVariable() {
        if (value_) {
            setenv(name_, value_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> value_;
};

class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/veltrisk-shell-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { nftw(dir_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

    // Calls SHGetFolderPathW on a buffer filled with junk; returns the text it left.
    static std::string AppData(HRESULT& hr, int csidl = CSIDL_APPDATA) {
        WCHAR path[MAX_PATH];
        std::fill(std::begin(path), std::end(path), u'#');
        hr = SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
        return WideToUtf8(std::u16string_view(path, WideLength(path)));
    }
    static bool IsPrivateFolder(const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700;
    }
    static bool Exists(const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0;
    }

    SavedVariable xdg_{"XDG_CONFIG_HOME"};
    SavedVariable home_{"HOME"};
    std::string dir_;
};

TEST_F(ShellFolderTest, AbsoluteXdgConfigHomeIsUsedAndCreated) {
    const std::string config = dir_ + "/config/nested";
    setenv("XDG_CONFIG_HOME", (config + "//").c_str(), 1);
    setenv("HOME", (dir_ + "/home").c_str(), 1);
    HRESULT hr;
    EXPECT_EQ(AppData(hr), config);
    EXPECT_EQ(hr, S_OK);
    EXPECT_TRUE(IsPrivateFolder(config));
    EXPECT_FALSE(Exists(dir_ + "/home"));
    // Already there: same answer.
    EXPECT_EQ(AppData(hr), config);
    EXPECT_EQ(hr, S_OK);
}

TEST_F(ShellFolderTest, RelativeOrEmptyXdgConfigHomeFallsBackToHome) {
    setenv("HOME", (dir_ + "/home/").c_str(), 1);
    HRESULT hr;
    for (const char* value : {"relative/config", "", "./config"}) {
        setenv("XDG_CONFIG_HOME", value, 1);
        EXPECT_EQ(AppData(hr), dir_ + "/home/.config") << value;
        EXPECT_EQ(hr, S_OK);
    }
    EXPECT_TRUE(IsPrivateFolder(dir_ + "/home/.config"));
    EXPECT_FALSE(Exists("relative"));
}

TEST_F(ShellFolderTest, UnsetXdgConfigHomeUsesHome) {
    unsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(mkdir((dir_ + "/home").c_str(), 0755), 0);
    setenv("HOME", (dir_ + "/home").c_str(), 1);
    HRESULT hr;
    EXPECT_EQ(AppData(hr), dir_ + "/home/.config");
    EXPECT_EQ(hr, S_OK);
    EXPECT_TRUE(IsPrivateFolder(dir_ + "/home/.config"));
}

TEST_F(ShellFolderTest, NoFolderWithoutEitherVariable) {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    HRESULT hr;
    EXPECT_EQ(AppData(hr), "");
    EXPECT_EQ(hr, E_FAIL);
    setenv("HOME", "", 1);
    EXPECT_EQ(AppData(hr), "");
    EXPECT_EQ(hr, E_FAIL);
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", "relative-home", 1);
    EXPECT_EQ(AppData(hr), "");
    EXPECT_EQ(hr, E_FAIL);
    EXPECT_FALSE(Exists("relative-home"));
}

TEST_F(ShellFolderTest, OtherFoldersAreUnknown) {
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    HRESULT hr;
    EXPECT_EQ(AppData(hr, 0x05 /* CSIDL_PERSONAL */), "");
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_EQ(AppData(hr, 0x1C /* CSIDL_LOCAL_APPDATA */), "");
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_FALSE(Exists(dir_ + "/config"));
    EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, nullptr),
              E_INVALIDARG);
}

TEST_F(ShellFolderTest, PathThatDoesNotFitFails) {
    std::string config = dir_;
    while (config.size() < MAX_PATH) config += "/abcdefghij";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    HRESULT hr;
    EXPECT_EQ(AppData(hr), "");
    EXPECT_EQ(hr, E_FAIL);
    EXPECT_FALSE(Exists(dir_ + "/abcdefghij"));

    // 259 units plus the terminator fit exactly.
    config = dir_ + "/";
    config += std::string(MAX_PATH - 1 - config.size(), 'x');
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(AppData(hr), config);
    EXPECT_EQ(hr, S_OK);
}

TEST_F(ShellFolderTest, PathIsReturnedEvenIfItCannotBeCreated) {
    ASSERT_EQ(close(creat((dir_ + "/file").c_str(), 0600)), 0);
    const std::string config = dir_ + "/file/config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    HRESULT hr;
    EXPECT_EQ(AppData(hr), config);
    EXPECT_EQ(hr, S_OK);
    EXPECT_FALSE(Exists(config));
}

TEST_F(ShellFolderTest, NonUtf8PathFails) {
    setenv("XDG_CONFIG_HOME", (dir_ + "/bad\xFF").c_str(), 1);
    HRESULT hr;
    EXPECT_EQ(AppData(hr), "");
    EXPECT_EQ(hr, E_FAIL);
}

TEST_F(ShellFolderTest, CreateDirectory) {
    const std::u16string folder = Utf8ToWide(dir_ + "/new folder ä");
    SetLastError(12345);
    EXPECT_EQ(CreateDirectoryW(folder.c_str(), nullptr), TRUE);
    EXPECT_TRUE(IsPrivateFolder(dir_ + "/new folder \xC3\xA4"));

    EXPECT_EQ(CreateDirectoryW(folder.c_str(), nullptr), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(GetLastError(), 183u);

    const std::u16string orphan = Utf8ToWide(dir_ + "/missing/child");
    EXPECT_EQ(CreateDirectoryW(orphan.c_str(), nullptr), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(Exists(dir_ + "/missing"));

    EXPECT_EQ(CreateDirectoryW(u"", nullptr), FALSE);
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);
    EXPECT_EQ(CreateDirectoryW(nullptr, nullptr), FALSE);
    EXPECT_NE(GetLastError(), ERROR_SUCCESS);
}

TEST_F(ShellFolderTest, CreateDirectoryInReadOnlyFolderIsAccessDenied) {
    if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    ASSERT_EQ(chmod(dir_.c_str(), 0500), 0);
    const std::u16string folder = Utf8ToWide(dir_ + "/child");
    EXPECT_EQ(CreateDirectoryW(folder.c_str(), nullptr), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ASSERT_EQ(chmod(dir_.c_str(), 0700), 0);
}

TEST(LastError, IsPerThread) {
    SetLastError(42);
    std::thread([] {
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
        SetLastError(7);
        EXPECT_EQ(GetLastError(), 7u);
    }).join();
    EXPECT_EQ(GetLastError(), 42u);
}

TEST(LastError, FromErrno) {
    EXPECT_EQ(ErrorFromErrno(0), ERROR_SUCCESS);
    EXPECT_EQ(ErrorFromErrno(ENOENT), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ErrorFromErrno(ENOTDIR), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(ErrorFromErrno(EACCES), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorFromErrno(EPERM), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ErrorFromErrno(EEXIST), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(ErrorFromErrno(EIO), ERROR_GEN_FAILURE);
}

}  // namespace
